#pragma once
// Playing one dot or dash: what the "Test" buttons do, and what playback and
// keying do for every element.

#include "sound/sound_window.h"

// When an element's sound starts: paced, the same time after every request,
// as playback needs to keep its pauses; or at once, as a key press needs.
enum class Sound_Start { Paced, At_Once };

// Plays the element's sound and returns when it has ended. A sound that could
// not be played, or whose file name is empty or names no file now, raises the
// halt flag, lets pending messages run, and shows the error box: the player's
// reason when it can play no sound at all.
void Play_Element_Sound(Element element, Sound_Window& window,
                        Sound_Start start = Sound_Start::Paced);

// The error box text for an element.
std::string element_error_text(Element element);
// The error box text when no sound can be played at all, for the player's
// reason.
std::string no_sound_error_text(const std::string& reason);
