#pragma once
// A form hosting a control in tests: ambient properties to set, the container's background,
// and a record of every property change the control reports.

#include <optional>
#include <string>
#include <vector>

#include "platform/hosting/control_host.h"

namespace starquill::testing {

class FakeHost : public ControlHost {
 public:
  bool UserMode() const override { return user_mode; }
  FontSpec AmbientFont() const override { return ambient_font; }
  std::string ExtenderName() const override { return name; }
  std::optional<Color> ContainerBackColor() const override { return back_color; }
  void PropertyChanged(std::string_view property) override { changes.emplace_back(property); }

  bool user_mode = true;
  FontSpec ambient_font{"Arial", 8.25, false, false};
  std::string name = "startCMD";
  std::optional<Color> back_color = RGB(236, 233, 216);
  std::vector<std::string> changes;
};

}  // namespace starquill::testing
