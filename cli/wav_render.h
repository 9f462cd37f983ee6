#pragma once
// Renders Morse code lines to a WAV file with the window's playback timing.

#include <cstdint>
#include <string>

#include "cli/byte_streams.h"
#include "cli/element_sounds.h"

struct Wav_Render_Settings {
  std::string path;  // "-": standard output
  int alphabet = 0;  // whose code page the input lines are read in
  int element_delay_ms = 0;
  int letter_delay_ms = 0;
};

struct Wav_Render_Result {
  bool ok = false;
  std::string error;           // why not, for the user
  std::uint64_t elements = 0;  // the dots and dashes sounded
};

// Reads every line of `in` and writes the file whole, or leaves no file and
// sets the error. To "-" the WAV goes to `out`: as its header comes first and
// gives the length, the input is read to its end before anything is written,
// keeping only the dots, dashes and spaces that sound meanwhile.
Wav_Render_Result render_wav(const Wav_Render_Settings& settings, const Element_Sounds& sounds,
                             Byte_Source& in, Byte_Sink& out);
