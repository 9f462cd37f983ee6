#pragma once
// Decoding an animated GIF held in memory into whole frames, ready to show one
// after the other: each frame is the logical screen as it looks once that
// image has been drawn over what the earlier frames left, after their
// disposal.

#include <cstddef>
#include <cstdint>
#include <vector>

struct Gif_Frame {
  // 0xAARRGGBB pixels (not premultiplied), row by row, width * height of them;
  // areas nothing has drawn on are fully transparent.
  std::vector<std::uint32_t> pixels;
  int delay_ms = 0;
};

struct Gif_Animation {
  int width = 0;
  int height = 0;
  std::vector<Gif_Frame> frames;
};

// A delay of 10 ms or less is shown as this, as browsers do: such files
// usually mean "as fast as you like", which would spin.
constexpr int kGif_Default_Delay_Ms = 100;

// An empty animation (no frames) when the bytes are not a readable GIF, are
// truncated or corrupt, or their screen or frames are implausibly large (a
// side over 4096, or over 64 Mi pixels in all frames together).
Gif_Animation decode_gif(const unsigned char* data, std::size_t size);
