#pragma once
// The window's own event loop for the waits of playback and keying, on a fake
// clock that each wait moves on by its whole length.

#include <QCoreApplication>

#include "fakes/fake_clock.h"
#include "sound/message_loop.h"

class Fake_Time_Loop final : public Message_Loop {
 public:
  explicit Fake_Time_Loop(Fake_Clock& clock) : clock_(clock) {}
  void run_pending() override { QCoreApplication::processEvents(); }
  void wait(std::chrono::microseconds at_most) override {
    clock_.advance(at_most);
    QCoreApplication::processEvents();
  }

 private:
  Fake_Clock& clock_;
};
