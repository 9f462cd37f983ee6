#include "sound/delay.h"

void Delay_Millisec(int ms, Clock& clock, Message_Loop& loop) {
  const std::chrono::microseconds span = std::chrono::milliseconds(ms);
  const Clock::Time t0 = clock.now();
  for (;;) {
    const auto elapsed = clock.now() - t0;
    loop.run_pending();
    if (elapsed >= span) return;
    // Measured again: handling the messages took time of its own.
    const auto remaining =
        span - std::chrono::duration_cast<std::chrono::microseconds>(clock.now() - t0);
    if (remaining > std::chrono::microseconds::zero()) loop.wait(remaining);
  }
}
