#pragma once
// Pop-up menus as the forms describe them. The form owns the items and their state; the
// platform shows the menu with the items' current captions and check marks and calls the
// chosen item's Click once the menu has closed.

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace starquill {

struct MenuItem {
  explicit MenuItem(std::string caption = {}) : Caption(std::move(caption)) {}

  // The ampersand marks the access key ("&Exit"); a caption of "-" makes a separator line.
  std::string Caption;
  bool Checked = false;
  std::function<void()> Click;

  bool IsSeparator() const { return Caption == "-"; }
};

struct Menu {
  std::string Caption;
  std::vector<MenuItem*> Items;  // owned by the form, shown in this order
};

}  // namespace starquill
