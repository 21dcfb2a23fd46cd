#pragma once
// What a control asks of the form that hosts it: the ambient properties, the name the form
// gives it, the form's background colour, and where to report that a saved property changed.

#include <optional>
#include <string>
#include <string_view>

#include "platform/drawing/color.h"
#include "platform/drawing/font.h"

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
  // A saved property changed: the form's design needs saving.
  virtual void PropertyChanged(std::string_view name) = 0;
};

}  // namespace starquill
