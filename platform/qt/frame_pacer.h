#pragma once
// Frames at the screen's refresh rate: a precise timer keyed to the screen's own rate (60 Hz
// where the screen does not tell), each frame due a whole period after the one before, so that
// frames come as often as the screen shows them and never more often. A frame the program is
// too late for is dropped: the next one is due at the next period still ahead.

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace starquill {

class FramePacer {
 public:
  // `frame` runs for each frame while the pacer is on; `widget` tells the screen.
  FramePacer(QWidget& widget, std::function<void()> frame);

  void SetOn(bool on);
  bool On() const { return on_; }

 private:
  void ScheduleNext();
  double PeriodMs() const;

  QWidget& widget_;
  std::function<void()> frame_;
  QTimer timer_;
  QElapsedTimer clock_;
  double next_due_ms_ = 0;
  bool on_ = false;
};

}  // namespace starquill
