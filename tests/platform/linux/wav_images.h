#pragma once
// WAV images of a sine tone, made in memory for the player's tests.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <numbers>
#include <vector>

#include "platform/audio_player.h"

enum class Sample_Format { Unsigned8, Signed16, Float32 };

struct Tone {
  int milliseconds = 60;
  int rate = 44100;
  int channels = 1;
  Sample_Format format = Sample_Format::Signed16;
  double hertz = 600;
  double amplitude = 0.5;
};

inline std::vector<unsigned char> wav_bytes(const Tone& tone) {
  const int sample_bytes = tone.format == Sample_Format::Unsigned8  ? 1
                           : tone.format == Sample_Format::Signed16 ? 2
                                                                    : 4;
  const std::uint32_t frames = static_cast<std::uint32_t>(tone.rate / 1000.0 * tone.milliseconds);
  const std::uint32_t data_bytes = frames * tone.channels * sample_bytes;
  std::vector<unsigned char> out;
  auto put = [&](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
  };
  auto id = [&](const char* s) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(s[i]));
  };
  id("RIFF"), put(36 + data_bytes, 4), id("WAVE");
  id("fmt "), put(16, 4), put(tone.format == Sample_Format::Float32 ? 3 : 1, 2);
  put(tone.channels, 2), put(tone.rate, 4), put(tone.rate * tone.channels * sample_bytes, 4);
  put(tone.channels * sample_bytes, 2), put(sample_bytes * 8, 2);
  id("data"), put(data_bytes, 4);
  for (std::uint32_t i = 0; i < frames; ++i) {
    const double x = tone.amplitude * std::sin(2 * std::numbers::pi * tone.hertz * i / tone.rate);
    for (int c = 0; c < tone.channels; ++c) {
      if (tone.format == Sample_Format::Unsigned8)
        put(static_cast<std::uint32_t>(128 + 127 * x), 1);
      if (tone.format == Sample_Format::Signed16)
        put(static_cast<std::uint32_t>(static_cast<std::int32_t>(32767 * x)), 2);
      if (tone.format == Sample_Format::Float32) {
        const float f = static_cast<float>(x);
        std::uint32_t bits;
        std::memcpy(&bits, &f, 4);
        put(bits, 4);
      }
    }
  }
  return out;
}

inline Sound_Image wav(const Tone& tone) {
  return std::make_shared<const std::vector<unsigned char>>(wav_bytes(tone));
}
