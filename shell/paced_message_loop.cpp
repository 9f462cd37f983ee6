#include "shell/paced_message_loop.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>

namespace {

int current_loop_level() { return QThread::currentThread()->loopLevel(); }

}  // namespace

Paced_Message_Loop::Paced_Message_Loop(QWidget* window, Clock clock,
                                       std::chrono::milliseconds frame)
    : window_(window), clock_(std::move(clock)), frame_(frame) {
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
