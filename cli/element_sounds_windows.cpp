#include <algorithm>
#include <cmath>
#include <cstdint>

#include "cli/element_sounds.h"
#include "listen/wav_stream.h"
#include "sound/sound_file.h"

// Windows has no sound library to decode with: the files are read by the
// listener's own WAV reader, which takes the uncompressed codings and mixes
// to one channel. The output is mono at the dot sound's rate; a dash at
// another rate is resampled linearly.

namespace {

struct Mono_Sound {
  std::uint32_t rate = 0;
  std::vector<float> samples;
};

std::optional<Mono_Sound> decode(const std::vector<unsigned char>& image) {
  Wav_Stream wav;
  wav.feed(image.data(), image.size());
  const auto state = wav.state();
  if (state != Wav_Stream::State::Samples && state != Wav_Stream::State::Ended) return std::nullopt;
  if (wav.samples().empty()) return std::nullopt;
  return Mono_Sound{wav.rate(), std::move(wav.samples())};
}

std::vector<float> resampled(const std::vector<float>& in, std::uint32_t from, std::uint32_t to) {
  if (from == to) return in;
  const auto frames =
      static_cast<std::size_t>(std::max<std::uint64_t>(1, std::uint64_t(in.size()) * to / from));
  std::vector<float> out(frames);
  const double step = double(from) / double(to);
  for (std::size_t i = 0; i < frames; ++i) {
    const double at = double(i) * step;
    const auto left = std::min(static_cast<std::size_t>(at), in.size() - 1);
    const std::size_t right = std::min(left + 1, in.size() - 1);
    const double part = at - double(left);
    out[i] = float(in[left] * (1.0 - part) + in[right] * part);
  }
  return out;
}

std::vector<unsigned char> s16_bytes(const std::vector<float>& samples) {
  std::vector<unsigned char> out;
  out.reserve(samples.size() * 2);
  for (const float s : samples) {
    const long v = std::clamp(std::lround(double(s) * 32768.0), -32768L, 32767L);
    const auto u = static_cast<std::uint16_t>(static_cast<std::int16_t>(v));
    out.push_back(static_cast<unsigned char>(u & 0xFF));
    out.push_back(static_cast<unsigned char>(u >> 8));
  }
  return out;
}

}  // namespace

std::optional<Element_Sounds> load_element_sounds(const std::string& dot_path,
                                                  const std::string& dash_path,
                                                  std::string& error) {
  const Sound_File dot_file = read_sound_file(dot_path);
  const Sound_File dash_file = read_sound_file(dash_path);
  for (const Sound_File* f : {&dot_file, &dash_file}) {
    if (f->image == nullptr) {
      error = f->error;
      return std::nullopt;
    }
  }
  const auto undecodable = [&](const char* name, const std::string& path) {
    error = std::string("the ") + name + " sound \"" + path +
            "\" is no uncompressed WAV file that can be played";
    return std::nullopt;
  };
  const auto dot = decode(*dot_file.image);
  if (!dot) return undecodable("dot", dot_path);
  const auto dash = decode(*dash_file.image);
  if (!dash) return undecodable("dash", dash_path);
  Element_Sounds sounds;
  sounds.format = {static_cast<int>(dot->rate), 1};
  sounds.dot = s16_bytes(dot->samples);
  sounds.dash = s16_bytes(resampled(dash->samples, dash->rate, dot->rate));
  return sounds;
}
