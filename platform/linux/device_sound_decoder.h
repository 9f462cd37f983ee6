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
