#pragma once
// A form hosting a control in tests: ambient properties to set, the container's background,
// the leave notifications on offer, and a record of every property change, leave-notification
// query, event log entry and message box the control asks for.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "platform/hosting/control_host.h"
#include "platform/toolkit/system_colors.h"

namespace starquill::testing {

class FakeHost : public ControlHost {
 public:
  bool UserMode() const override { return user_mode; }
  FontSpec AmbientFont() const override { return ambient_font; }
  std::string ExtenderName() const override { return name; }
  std::optional<Color> ContainerBackColor() const override { return back_color; }
  void PropertyChanged(std::string_view property) override { changes.emplace_back(property); }
  Color SystemColor(int index) const override {
    return index >= 0 && index < kSystemColorCount ? system_colors[static_cast<size_t>(index)] : 0;
  }
  bool OffersLeaveNotification(LeaveNotifier module) const override {
    leave_queries.push_back(module);
    return module == LeaveNotifier::kUser32 ? user32_leave : comctl32_leave;
  }
  void LogError(std::string_view text) override { reports.emplace_back(text); }
  // Recorded as "title|prompt|!" ("!" an exclamation icon, "?" any other).
  void ShowMessageBox(std::string_view prompt, BoxIcon icon, std::string_view title) override {
    boxes.push_back(std::string(title) + "|" + std::string(prompt) + "|" +
                    (icon == BoxIcon::Exclamation ? "!" : "?"));
  }

  bool user_mode = true;
  FontSpec ambient_font{"Arial", 8.25, false, false};
  std::string name = "startCMD";
  std::optional<Color> back_color = RGB(236, 233, 216);
  std::vector<std::string> changes;
  // The desktop's system colours as this form reports them.
  std::array<Color, kSystemColorCount> system_colors = kClassicSystemColors;
  bool user32_leave = true;
  bool comctl32_leave = true;
  mutable std::vector<LeaveNotifier> leave_queries;
  std::vector<std::string> reports;  // the event log
  std::vector<std::string> boxes;
};

}  // namespace starquill::testing
