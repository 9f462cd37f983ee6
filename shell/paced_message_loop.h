#pragma once
// Lets the message loop run once, as the long loops do after every line or
// token, while holding the window's repaints to one per frame interval.
// Repainting after every line would cost many times more than converting it,
// and nobody sees more than one frame per interval anyway. Input, timers and
// every other event are handled on every call; a modal box opened from inside
// paints normally, because only the loop level of the held call is filtered.

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <chrono>
#include <functional>

class Paced_Message_Loop final : public QObject {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;

  explicit Paced_Message_Loop(QWidget* window, Clock clock = std::chrono::steady_clock::now,
                              std::chrono::milliseconds frame = std::chrono::milliseconds(16));
  ~Paced_Message_Loop() override;

  // Runs pending events once; the window repaints only if a frame interval has
  // passed since it last did.
  void run_once();
  // Ends a run of calls: a repaint held back by the last calls happens at the
  // next turn of the message loop.
  void release();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QWidget> window_;
  Clock clock_;
  std::chrono::milliseconds frame_;
  std::chrono::steady_clock::time_point last_paint_{};
  int holding_loop_level_ = -1;  // the loop level whose repaints are held; -1: none
  bool repaint_held_ = false;
};
