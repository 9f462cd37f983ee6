// Any bytes in place of the About logo, through its GIF decoding and
// compositing. A decoded animation must be whole: a screen within the limits,
// every frame a full screen of pixels with a delay that does not spin.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "panels/gif_animation.h"

namespace {

void fail(const char* what) {
  std::fprintf(stderr, "decoded animation: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Gif_Animation animation = decode_gif(data, size);
  if (animation.frames.empty()) return 0;
  if (animation.width <= 0 || animation.height <= 0 || animation.width > 4096 ||
      animation.height > 4096)
    fail("screen out of bounds");
  const std::size_t screen = static_cast<std::size_t>(animation.width) * animation.height;
  for (const Gif_Frame& frame : animation.frames) {
    if (frame.pixels.size() != screen) fail("frame is not a whole screen");
    if (frame.delay_ms <= 10) fail("delay would spin");
  }
  return 0;
}
