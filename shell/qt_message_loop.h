#pragma once
// The waits of playback and keying on the window's own event loop.

#include "sound/message_loop.h"

class Qt_Message_Loop final : public Message_Loop {
 public:
  void run_pending() override;
  // Sleeps in the event loop until an event comes or a precise timer fires;
  // below a millisecond it only handles what is pending.
  void wait(std::chrono::microseconds at_most) override;
};
