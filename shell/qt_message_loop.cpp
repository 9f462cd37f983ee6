#include "shell/qt_message_loop.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QThread>
#include <QTimer>

void Qt_Message_Loop::run_pending() { QCoreApplication::processEvents(); }

void Qt_Message_Loop::wait(std::chrono::microseconds at_most) {
  // Whole milliseconds, rounded up, so the wait never ends early.
  const auto ms = std::chrono::ceil<std::chrono::milliseconds>(at_most);
  QTimer wake;
  wake.setSingleShot(true);
  wake.setTimerType(Qt::PreciseTimer);
  wake.start(ms);
  // Returns after handling whatever woke it: an event, or the timer.
  QThread::currentThread()->eventDispatcher()->processEvents(QEventLoop::WaitForMoreEvents);
}
