#pragma once
// Playing one dot or dash: what the "Test" buttons do, and what playback and
// keying do for every element.

#include "sound/sound_window.h"

// Plays the element's sound and returns when it has ended. A sound that could
// not be played, or whose file name is empty or names no file now, raises the
// halt flag, lets pending messages run, and shows the error box.
void Play_Element_Sound(Element element, Sound_Window& window);

// The error box text for an element.
std::string element_error_text(Element element);
