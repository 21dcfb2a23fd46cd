#include "platform/qt/frame_pacer.h"

#include <QScreen>
#include <algorithm>
#include <cmath>

namespace starquill {
namespace {

constexpr double kUsualRefreshHz = 60;
// A screen that claims a rate outside this is taken at the usual rate.
constexpr double kSlowestHz = 20, kFastestHz = 500;

}  // namespace

FramePacer::FramePacer(QWidget& widget, std::function<void()> frame)
    : widget_(widget), frame_(std::move(frame)) {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    if (!on_) return;
    ScheduleNext();
    if (frame_) frame_();
  });
  clock_.start();
}

double FramePacer::PeriodMs() const {
  const QScreen* screen = widget_.screen();
  double hz = screen ? screen->refreshRate() : kUsualRefreshHz;
  if (!(hz >= kSlowestHz && hz <= kFastestHz)) hz = kUsualRefreshHz;
  return 1000.0 / hz;
}

void FramePacer::SetOn(bool on) {
  if (on == on_) return;
  on_ = on;
  if (!on) {
    timer_.stop();
    return;
  }
  next_due_ms_ = static_cast<double>(clock_.nsecsElapsed()) / 1e6;
  ScheduleNext();
}

void FramePacer::ScheduleNext() {
  const double period = PeriodMs();
  const double now = static_cast<double>(clock_.nsecsElapsed()) / 1e6;
  next_due_ms_ += period;
  // Late by a period or more: those frames are gone; the next is a period ahead of the last due.
  if (next_due_ms_ <= now) next_due_ms_ += std::ceil((now - next_due_ms_) / period) * period;
  if (next_due_ms_ <= now) next_due_ms_ += period;
  // Whole milliseconds, never early: a frame never comes before its time.
  timer_.start(static_cast<int>(std::ceil(next_due_ms_ - now)));
}

}  // namespace starquill
