#pragma once
// Small 16-bit PCM WAV files for the tests, and reading one back.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

struct Test_Wav {
  int rate = 0;
  int channels = 0;
  int bits = 0;
  std::vector<std::int16_t> samples;  // interleaved
  std::int64_t frames() const {
    return channels == 0 ? 0 : std::int64_t(samples.size()) / channels;
  }
};

inline void put_le(std::string& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(v >> (8 * i) & 0xFF));
}

inline std::string wav_bytes(const Test_Wav& w) {
  const auto data = static_cast<std::uint32_t>(w.samples.size() * 2);
  std::string out = "RIFF";
  put_le(out, 36 + data, 4);
  out += "WAVEfmt ";
  put_le(out, 16, 4);
  put_le(out, 1, 2);
  put_le(out, static_cast<std::uint32_t>(w.channels), 2);
  put_le(out, static_cast<std::uint32_t>(w.rate), 4);
  put_le(out, static_cast<std::uint32_t>(w.rate * w.channels * 2), 4);
  put_le(out, static_cast<std::uint32_t>(w.channels * 2), 2);
  put_le(out, 16, 2);
  out += "data";
  put_le(out, data, 4);
  for (std::int16_t s : w.samples) put_le(out, static_cast<std::uint16_t>(s), 2);
  return out;
}

inline void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A flat tone of `frames` frames: every sample the same, so it is told from
// silence at every frame.
inline Test_Wav tone(int rate, int channels, int frames, std::int16_t level = 8000) {
  return {rate, channels, 16, std::vector<std::int16_t>(std::size_t(frames) * channels, level)};
}

// A sine tone with short raised-cosine edges, as the default tones are.
inline Test_Wav sine(int rate, int channels, int milliseconds, double hz = 750) {
  Test_Wav w{rate, channels, 16, {}};
  const int frames = rate * milliseconds / 1000, ramp = rate / 200;
  for (int i = 0; i < frames; ++i) {
    const int edge = std::min(i, frames - 1 - i);
    const double gain = edge >= ramp ? 1.0 : 0.5 - 0.5 * std::cos(std::numbers::pi * edge / ramp);
    const auto s = static_cast<std::int16_t>(
        std::lround(16000 * gain * std::sin(2 * std::numbers::pi * hz * i / rate)));
    for (int c = 0; c < channels; ++c) w.samples.push_back(s);
  }
  return w;
}

inline std::uint32_t get_le(const std::string& s, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = 0; i < bytes; ++i)
    v |= std::uint32_t(static_cast<unsigned char>(s[at + i])) << (8 * i);
  return v;
}

// Reads the canonical 44-byte header layout that the renderer writes; the
// sizes in it must agree with the file's length, and the byte rate and block
// align with the format (players seek and time by them).
inline bool parse_wav(const std::string& s, Test_Wav& w) {
  if (s.size() < 44 || s.compare(0, 4, "RIFF") != 0 || s.compare(8, 8, "WAVEfmt ") != 0 ||
      s.compare(36, 4, "data") != 0 || get_le(s, 4, 4) != s.size() - 8 ||
      get_le(s, 40, 4) != s.size() - 44 || get_le(s, 20, 2) != 1)
    return false;
  w.channels = static_cast<int>(get_le(s, 22, 2));
  w.rate = static_cast<int>(get_le(s, 24, 4));
  w.bits = static_cast<int>(get_le(s, 34, 2));
  const std::uint32_t block_align = std::uint32_t(w.channels) * std::uint32_t(w.bits / 8);
  if (get_le(s, 32, 2) != block_align || get_le(s, 28, 4) != std::uint32_t(w.rate) * block_align)
    return false;
  w.samples.clear();
  for (std::size_t at = 44; at + 1 < s.size(); at += 2)
    w.samples.push_back(static_cast<std::int16_t>(get_le(s, at, 2)));
  return true;
}
