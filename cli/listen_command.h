#pragma once
// `--listen FILE`: a WAV recording of Morse code decoded back, as text in the
// chosen alphabet or as the Morse code itself. The file is read whole and
// decoded by the player's own decoder (any rate, mono or stereo, mixed down
// to one channel); the listener takes it a block at a time and its output
// goes out as it comes, one line for the recording.

#include <string>

#include "cli/byte_streams.h"

struct Listen_Request {
  std::string path;  // "-": standard input
  bool morse = false;
  int alphabet = 0;
};

// False, with `error` set, when the file cannot be read, is no WAV that can
// be played, or the output cannot be written. An empty file, or a WAV without
// samples, gives no output and counts as success.
bool listen_to_wav(const Listen_Request& request, Byte_Source& in, Byte_Sink& out,
                   std::string& error);
