// WAV images through the player's decoding: the sound library's reader, then
// the conversion to the device's format. No device is opened; the device's
// format is one of those a sound card may give, chosen by the last byte, so
// that every file stays a plain WAV image.
#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/linux/device_sound_decoder.h"

namespace {

SDL_AudioSpec device(int freq, int channels) {
  SDL_AudioSpec format{};
  format.freq = freq;
  format.format = AUDIO_F32SYS;
  format.channels = static_cast<Uint8>(channels);
  format.samples = 240;
  return format;
}

const SDL_AudioSpec kDevices[] = {device(48000, 2), device(44100, 2), device(44100, 1),
                                  device(22050, 1), device(96000, 6), device(8000, 2)};

void fail(const char* what) {
  std::fprintf(stderr, "decoded sound: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const SDL_AudioSpec& device_format =
      kDevices[data[size - 1] % (sizeof kDevices / sizeof kDevices[0])];
  const std::vector<unsigned char> wav(data, data + size);
  const auto sound = decode_for_device(wav, device_format);
  if (!sound) return 0;
  const std::int64_t frame = SDL_AUDIO_BITSIZE(device_format.format) / 8 * device_format.channels;
  if (sound->frames <= 0) fail("no frames");
  if (static_cast<std::int64_t>(sound->bytes.size()) != sound->frames * frame)
    fail("bytes are not whole frames");
  return 0;
}
