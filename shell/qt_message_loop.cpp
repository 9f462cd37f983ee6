#include "shell/qt_message_loop.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>
#include <QTimer>

void Qt_Message_Loop::run_pending() { QCoreApplication::processEvents(); }

void Qt_Message_Loop::wait(std::chrono::microseconds at_most) {
  // Timers count whole milliseconds: sleep for those, and let the caller poll
  // out the last fraction, so that a wait ends on time, not up to 1 ms late.
  const auto ms = std::chrono::floor<std::chrono::milliseconds>(at_most);
  if (ms.count() <= 0) {
    run_pending();
    return;
  }
  QTimer wake;
  wake.setSingleShot(true);
  wake.setTimerType(Qt::PreciseTimer);
  wake.start(ms);
  // Returns after handling whatever woke it: an event, or the timer.
  QThread::currentThread()->eventDispatcher()->processEvents(QEventLoop::WaitForMoreEvents);
}
