#pragma once
// Turns a WAV image into samples ready for the device: decoded, resampled and
// laid out in the device's format, so that the device's thread only copies.

#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/linux/sample_schedule.h"

// Null when the image is no WAV the library reads, or holds no samples.
std::shared_ptr<const Device_Sound> decode_for_device(const std::vector<unsigned char>& wav,
                                                      const SDL_AudioSpec& device);

// Where the first chunk of a WAV image starts: after "RIFF", its size and
// "WAVE", or right after "WAVE", which the library also reads; 0 when the
// image starts with neither.
std::size_t first_wav_chunk(const std::vector<unsigned char>& wav);

// A little-endian 32-bit field of a WAV image.
std::uint32_t wav_u32(const unsigned char* p);
