#pragma once
// `--listen FILE`: a WAV recording of Morse code decoded back, as text in the
// chosen alphabet or as the Morse code itself. The file or standard input is
// read a block at a time and decoded as it comes, in memory that does not
// grow with the recording (any rate and channel count, mixed down to one);
// the text goes out and is flushed as the listener decides it, one line for
// the recording. A WAV the stream does not read (compressed formats) is read
// whole and decoded by the player's own decoder, as before.

#include <functional>
#include <string>

#include "cli/byte_streams.h"

struct Listen_Request {
  std::string path;  // "-": standard input
  bool morse = false;
  int alphabet = 0;
  // Asked after every block read: false ends the listening there, as if the
  // recording ended (a window that lets its user halt it).
  std::function<bool()> keep_going;
};

// False, with `error` set, when the file cannot be read, is no WAV that can
// be played, or the output cannot be written. An empty file, or a WAV without
// samples, gives no output and counts as success. A recording that is not
// silent but yields no Morse code counts as success too, with `notice` set.
bool listen_to_wav(const Listen_Request& request, Byte_Source& in, Byte_Sink& out,
                   std::string& error, std::string& notice);
