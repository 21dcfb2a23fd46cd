#include "platform/qt/qt_system_colors.h"

#include <QApplication>
#include <QPalette>

#include "platform/toolkit/system_colors.h"

namespace starquill {

Color DesktopSystemColor(int index) {
  const auto from = [](QPalette::ColorGroup group, QPalette::ColorRole role) {
    const QColor c = QApplication::palette().color(group, role);
    return RGB(c.red(), c.green(), c.blue());
  };
  const auto active = QPalette::Active;
  switch (index) {
    case 4:   // menu
    case 30:  // menu bar
      return from(active, QPalette::Window);
    case 5:  // window
      return from(active, QPalette::Base);
    case 7:  // menu text
      return from(active, QPalette::WindowText);
    case 8:  // window text
      return from(active, QPalette::Text);
    case 13:
      return from(active, QPalette::Highlight);
    case 14:
      return from(active, QPalette::HighlightedText);
    case kColorButtonFace:
      return from(active, QPalette::Button);
    case 16:  // button shadow
      return from(active, QPalette::Dark);
    case 17:  // grey text
      return from(QPalette::Disabled, QPalette::Text);
    case 18:
      return from(active, QPalette::ButtonText);
    case kColorButtonHighlight:
      return from(active, QPalette::Light);
    case 21:  // dark shadow
      return from(active, QPalette::Shadow);
    case kColor3DLight:
      return from(active, QPalette::Midlight);
    case 23:
      return from(active, QPalette::ToolTipText);
    case 24:
      return from(active, QPalette::ToolTipBase);
    case 26:  // hot-tracked item
      return from(active, QPalette::Link);
    default:
      return ClassicSystemColor(index);
  }
}

}  // namespace starquill
