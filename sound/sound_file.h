#pragma once
// Reading a sound file whole into memory, as the player takes it.

#include <string>

#include "platform/audio_player.h"

struct Sound_File {
  Sound_Image image;  // the file's bytes; null when it could not be read
  std::string error;  // why not, for the user: 'Cannot open file "<path>". <reason>'
};

// Reads every byte of the file; an empty file gives an empty image.
Sound_File read_sound_file(const std::string& path);
