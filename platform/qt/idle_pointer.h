#pragma once
// Hides the mouse pointer over a widget once it has rested for a while; it comes back with the
// next activity.

#include <QTimer>
#include <QWidget>

namespace starquill {

class IdlePointer {
 public:
  // The widget must outlive this.
  explicit IdlePointer(QWidget& widget);

  // Hides the pointer after `idleMs` milliseconds without activity, counted from now.
  void HideWhenIdle(int idleMs);
  // The pointer moved or a button went down: it shows, and its idle time starts anew.
  void Active();
  // The pointer shows and stays until the next activity (while a menu is open).
  void Pause();
  // No more hiding until asked again.
  void Stop() { idle_.stop(); }
  bool Hidden() const { return hidden_; }

 private:
  QWidget& widget_;
  QTimer idle_;
  bool hidden_ = false;
};

}  // namespace starquill
