#pragma once
// What a control asks of the form that hosts it: the ambient properties, the name the form
// gives it, the form's background colour, the desktop's system colours, where to report that a
// saved property changed, which leave notification the windowing system offers, and where to
// report misuse.

#include <optional>
#include <string>
#include <string_view>

#include "platform/drawing/color.h"
#include "platform/drawing/font.h"
#include "platform/hosting/message_box.h"

namespace starquill {

class ControlHost {
 public:
  virtual ~ControlHost() = default;
  // False while the form is being designed, true while the program runs.
  virtual bool UserMode() const = 0;
  virtual FontSpec AmbientFont() const = 0;
  // The name of the control in its form, such as "startCMD".
  virtual std::string ExtenderName() const = 0;
  // The background colour of the containing window, or nothing when it has none.
  virtual std::optional<Color> ContainerBackColor() const = 0;
  // The system colour of the index (see platform/toolkit/system_colors.h), as the desktop has
  // it; black for an index that names none. Asked while the control is being built, too.
  virtual Color SystemColor(int index) const = 0;
  // A saved property changed: the form's design needs saving.
  virtual void PropertyChanged(std::string_view name) = 0;

  // The modules that may offer the one-shot leave notification: the user-interface module
  // ("User32") and the common controls ("Comctl32").
  enum class LeaveNotifier { kUser32, kComctl32 };
  // Whether the module's leave-notification function exists.
  virtual bool OffersLeaveNotification(LeaveNotifier module) const = 0;

  // Misuse a control reports: an entry in the application's event log, and a modal box with
  // one OK button that waits until it is closed.
  virtual void LogError(std::string_view text) = 0;
  virtual void ShowMessageBox(std::string_view prompt, BoxIcon icon, std::string_view title) = 0;
};

}  // namespace starquill
