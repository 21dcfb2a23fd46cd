#include "platform/qt/idle_pointer.h"

#include <algorithm>

namespace starquill {

IdlePointer::IdlePointer(QWidget& widget) : widget_(widget) {
  idle_.setSingleShot(true);
  QObject::connect(&idle_, &QTimer::timeout, &idle_, [this] {
    hidden_ = true;
    widget_.setCursor(Qt::BlankCursor);
  });
}

void IdlePointer::HideWhenIdle(int idleMs) {
  idle_.setInterval(std::max(idleMs, 0));
  idle_.start();
}

void IdlePointer::Active() {
  if (hidden_) {
    hidden_ = false;
    widget_.setCursor(Qt::ArrowCursor);
  }
  if (idle_.interval() > 0) idle_.start();
}

void IdlePointer::Pause() {
  Active();
  idle_.stop();
}

}  // namespace starquill
