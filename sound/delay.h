#pragma once
// The one wait of playback and keying: the window stays live throughout.

#include "platform/clock.h"
#include "sound/message_loop.h"

// Waits `ms` milliseconds on `clock` (none when zero or negative), handling
// window messages at least once and as soon as they arrive. It blocks in the
// message loop between messages instead of polling, so a long playback costs
// next to no processor time.
void Delay_Millisec(int ms, Clock& clock, Message_Loop& loop);
