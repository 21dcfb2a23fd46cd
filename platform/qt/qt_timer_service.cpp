#include "platform/qt/qt_timer_service.h"

#include <QCoreApplication>

namespace starquill {

QtTimerService::~QtTimerService() {
  // Timers forgotten from their own handlers are deleted later; let that happen now.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void QtTimerService::Start(Timer& timer, int periodMs) {
  if (stopped_for_good_) return;
  auto& qtimer = timers_[&timer];
  if (!qtimer) {
    qtimer = std::make_unique<QTimer>();
    qtimer->setTimerType(Qt::PreciseTimer);
    Timer* target = &timer;
    QObject::connect(qtimer.get(), &QTimer::timeout, [target] { Fire(*target); });
  }
  qtimer->start(periodMs);
}

void QtTimerService::Stop(Timer& timer) {
  if (auto it = timers_.find(&timer); it != timers_.end()) it->second->stop();
}

void QtTimerService::Forget(Timer& timer) {
  auto it = timers_.find(&timer);
  if (it == timers_.end()) return;
  // The timer may be destroyed from its own handler, inside the QTimer's signal.
  QTimer* qtimer = it->second.release();
  qtimer->stop();
  qtimer->deleteLater();
  timers_.erase(it);
}

void QtTimerService::StopAll() {
  stopped_for_good_ = true;
  for (auto& [timer, qtimer] : timers_)
    qtimer->stop();
}

}  // namespace starquill
