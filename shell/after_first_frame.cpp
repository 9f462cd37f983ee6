#include "shell/after_first_frame.h"

#include <QEvent>
#include <QTimer>

After_First_Frame::After_First_Frame(QWidget* painted) : QObject(painted), painted_(painted) {
  painted->installEventFilter(this);
}

void After_First_Frame::add(std::function<void()> job) {
  jobs_.push_back(std::move(job));
  if (frame_shown_) post();
}

bool After_First_Frame::eventFilter(QObject* watched, QEvent* event) {
  if (watched == painted_ && event->type() == QEvent::Paint && !frame_shown_) {
    frame_shown_ = true;
    painted_->removeEventFilter(this);
    // The frame goes to the screen once every paint of it has run: after
    // this event, within the same turn.
    post();
  }
  return false;
}

void After_First_Frame::post() {
  if (posted_ || jobs_.empty()) return;
  posted_ = true;
  QTimer::singleShot(0, this, [this] { run(); });
}

void After_First_Frame::run() {
  posted_ = false;
  // A job may add another; it runs at a later turn.
  std::vector<std::function<void()>> jobs;
  jobs.swap(jobs_);
  for (auto& job : jobs) job();
}
