#pragma once
// Playing a text area's Morse code: each "." or "-" sounds and is followed by
// the dot-dash delay, each space is the letter delay, anything else is
// passed over. The window stays live between elements, so "Halt" (the halt
// flag) can end it before the next line or character.

#include "sound/sound_window.h"

void Play_Back_Memo_Morse_Code(Text_Lines& area, Sound_Window& window);
