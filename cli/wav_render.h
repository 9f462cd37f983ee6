#pragma once
// Renders Morse code lines to a WAV file with the window's playback timing.

#include <string>

#include "cli/byte_streams.h"
#include "cli/element_sounds.h"

struct Wav_Render_Settings {
  std::string path;
  int alphabet = 0;  // whose code page the input lines are read in
  int element_delay_ms = 0;
  int letter_delay_ms = 0;
};

// Reads every line of `in` and writes the file whole, or leaves no file and
// sets `error`.
bool render_wav(const Wav_Render_Settings& settings, const Element_Sounds& sounds, Byte_Source& in,
                std::string& error);
