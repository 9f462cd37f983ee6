#pragma once
// Lets the message loop run once, as the long loops do between their steps,
// while holding the window's repaints to one per frame interval. Repainting
// after every line would cost many times more than converting it, and nobody
// sees more than one frame per interval anyway. Input, timers and every other
// event are handled on every turn; a modal box opened from inside paints
// normally, because only the loop level of the held call is filtered.
//
// A conversion offers a turn after every line and token, far more often than
// anyone can type or a screen can show: the turn is taken once the turn
// interval has passed since the last one, so input is still answered within a
// frame, and an offer costs next to nothing.

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <chrono>
#include <functional>

#include "shell/area_conversion.h"

class Paced_Message_Loop final : public QObject, public Conversion_Turns {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;

  // With a turn interval of zero every offer is taken.
  explicit Paced_Message_Loop(
      QWidget* window, Clock clock = std::chrono::steady_clock::now,
      std::chrono::milliseconds frame = std::chrono::milliseconds(16),
      std::chrono::microseconds turn_interval = std::chrono::milliseconds(4));
  ~Paced_Message_Loop() override;

  // Runs pending events once; the window repaints only if a frame interval has
  // passed since it last did.
  void run_once();
  // Ends a run of calls: a repaint held back by the last calls happens at the
  // next turn of the message loop.
  void release();

  // Whether the turn interval has passed since the last turn ended.
  bool due() override;
  void run() override { run_once(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  using Time = std::chrono::steady_clock::time_point;

  QPointer<QWidget> window_;
  Clock clock_;
  std::chrono::milliseconds frame_;
  std::chrono::microseconds turn_interval_;
  Time last_paint_{};
  Time last_turn_{};
  // The clock is read on every `stride_`-th offer, the stride adapted so that
  // it is read about every few microseconds whatever a step costs.
  int stride_ = 1;
  int countdown_ = 1;
  Time last_read_{};
  int holding_loop_level_ = -1;  // the loop level whose repaints are held; -1: none
  bool repaint_held_ = false;
};
