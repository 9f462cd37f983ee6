#pragma once
// The dot and dash sounds as one WAV output takes them: both decoded by the
// player's own decoder and converted to the dot sound's rate and channels as
// 16-bit little-endian samples.

#include <optional>
#include <string>
#include <vector>

struct Pcm_Format {
  int rate = 0;
  int channels = 0;
  int frame_bytes() const { return 2 * channels; }
};

struct Element_Sounds {
  Pcm_Format format;
  std::vector<unsigned char> dot;  // whole frames
  std::vector<unsigned char> dash;
};

// Empty, with `error` saying which file and why, when a file cannot be read
// or holds no sound the player could play.
std::optional<Element_Sounds> load_element_sounds(const std::string& dot_path,
                                                  const std::string& dash_path, std::string& error);
