// Writes the two default tones the program plays for a dot and a dash:
//
//   tone_generator <output folder>
//
// Both are the same sine tone, the dash three times as long as the dot, with
// raised-cosine ramps at both ends so that a tone never starts or stops with a
// click. The output depends on nothing but the constants below, so every build
// writes the same bytes.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <system_error>
#include <vector>

namespace {

constexpr std::uint32_t kSampleRate = 44100;
constexpr std::uint16_t kChannels = 1;
constexpr std::uint16_t kBitsPerSample = 16;
constexpr double kFrequencyHz = 750.0;
constexpr std::uint32_t kDotMillisec = 80;
constexpr std::uint32_t kDashMillisec = 3 * kDotMillisec;
constexpr std::uint32_t kRampMillisec = 5;
constexpr double kPeakDbfs = -6.0;

constexpr std::uint32_t SamplesFor(std::uint32_t millisec) { return kSampleRate * millisec / 1000; }

// The tone, its amplitude shaped at each end by half a cosine period, which
// starts and ends on an exact zero.
std::vector<std::int16_t> MakeTone(std::uint32_t count) {
  const double peak = 32767.0 * std::pow(10.0, kPeakDbfs / 20.0);
  const std::uint32_t ramp = SamplesFor(kRampMillisec);
  std::vector<std::int16_t> samples(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint32_t from_edge = std::min(i, count - 1 - i);
    double gain = 1.0;
    if (from_edge < ramp) {
      gain = 0.5 * (1.0 - std::cos(std::numbers::pi * from_edge / ramp));
    }
    const double phase = 2.0 * std::numbers::pi * kFrequencyHz * i / kSampleRate;
    samples[i] = static_cast<std::int16_t>(std::lround(peak * gain * std::sin(phase)));
  }
  return samples;
}

void PutU16(std::string& out, std::uint16_t value) {
  out.push_back(static_cast<char>(value & 0xff));
  out.push_back(static_cast<char>(value >> 8));
}

void PutU32(std::string& out, std::uint32_t value) {
  PutU16(out, static_cast<std::uint16_t>(value & 0xffff));
  PutU16(out, static_cast<std::uint16_t>(value >> 16));
}

// A plain 44-byte RIFF/WAVE header (16-byte PCM fmt chunk, then the data
// chunk) followed by the samples, all little-endian whatever the host.
std::string EncodeWav(const std::vector<std::int16_t>& samples) {
  const std::uint16_t block_align = kChannels * kBitsPerSample / 8;
  const auto data_size = static_cast<std::uint32_t>(samples.size() * block_align);
  std::string out;
  out.reserve(44 + data_size);
  out += "RIFF";
  PutU32(out, 36 + data_size);
  out += "WAVE";
  out += "fmt ";
  PutU32(out, 16);
  PutU16(out, 1);  // integer PCM
  PutU16(out, kChannels);
  PutU32(out, kSampleRate);
  PutU32(out, kSampleRate * block_align);
  PutU16(out, block_align);
  PutU16(out, kBitsPerSample);
  out += "data";
  PutU32(out, data_size);
  for (std::int16_t sample : samples) {
    PutU16(out, static_cast<std::uint16_t>(sample));
  }
  return out;
}

// Writes beside the target first and renames, so that a failed run never
// leaves a truncated tone that a later build would take as up to date.
bool WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::path partial = path;
  partial += ".part";
  {
    std::ofstream file(partial, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
      std::fprintf(stderr, "tone_generator: cannot write %s\n", partial.string().c_str());
      std::error_code ignored;
      std::filesystem::remove(partial, ignored);
      return false;
    }
  }
  std::error_code error;
  std::filesystem::rename(partial, path, error);
  if (error) {
    std::fprintf(stderr, "tone_generator: cannot write %s: %s\n", path.string().c_str(),
                 error.message().c_str());
    std::filesystem::remove(partial, error);
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tone_generator <output folder>\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    std::fprintf(stderr, "tone_generator: cannot create %s: %s\n", folder.string().c_str(),
                 error.message().c_str());
    return 1;
  }
  const bool ok = WriteFile(folder / "Mores_Code_Dot_Tone.wav",
                            EncodeWav(MakeTone(SamplesFor(kDotMillisec)))) &&
                  WriteFile(folder / "Mores_Code_Dash_Tone.wav",
                            EncodeWav(MakeTone(SamplesFor(kDashMillisec))));
  return ok ? 0 : 1;
}
