#include "shell/paced_message_loop.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>

namespace {

int current_loop_level() { return QThread::currentThread()->loopLevel(); }

// Between two readings of the clock, about this long: a step of a token takes
// nanoseconds, a step of a long line milliseconds. The longest stride bounds
// the wait when steps turn slow at once (short lines, then long ones).
constexpr auto kClock_Reading_Period = std::chrono::microseconds(20);
constexpr int kLongest_Stride = 8;

}  // namespace

Paced_Message_Loop::Paced_Message_Loop(QWidget* window, Clock clock,
                                       std::chrono::milliseconds frame,
                                       std::chrono::microseconds turn_interval)
    : window_(window), clock_(std::move(clock)), frame_(frame), turn_interval_(turn_interval) {
  window_->installEventFilter(this);
}

Paced_Message_Loop::~Paced_Message_Loop() {
  if (window_) window_->removeEventFilter(this);
}

void Paced_Message_Loop::run_once() {
  const auto now = clock_();
  const int outer_level = holding_loop_level_;
  if (now - last_paint_ >= frame_) {
    last_paint_ = now;
    release();
    holding_loop_level_ = -1;
  } else {
    holding_loop_level_ = current_loop_level();
  }
  QCoreApplication::processEvents();
  holding_loop_level_ = outer_level;
  last_turn_ = clock_();
}

bool Paced_Message_Loop::due() {
  if (turn_interval_ <= std::chrono::microseconds::zero()) return true;
  if (--countdown_ > 0) return false;
  const Time now = clock_();
  stride_ = now - last_read_ < kClock_Reading_Period ? std::min(stride_ * 2, kLongest_Stride)
                                                     : std::max(stride_ / 2, 1);
  countdown_ = stride_;
  last_read_ = now;
  return now - last_turn_ >= turn_interval_;
}

void Paced_Message_Loop::release() {
  if (!repaint_held_ || !window_) return;
  repaint_held_ = false;
  // The window asked once and waits for this event before it asks again.
  QCoreApplication::postEvent(window_, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
}

bool Paced_Message_Loop::eventFilter(QObject* watched, QEvent* event) {
  if (watched == window_ && event->type() == QEvent::UpdateRequest &&
      holding_loop_level_ == current_loop_level()) {
    repaint_held_ = true;
    return true;
  }
  return QObject::eventFilter(watched, event);
}
