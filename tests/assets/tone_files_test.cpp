// The dot and dash tones written beside the program: readable by any WAV
// player, the same clean tone in both, and no click at either end.

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

std::uint32_t Le(const std::string& bytes, std::size_t at, int width) {
  std::uint32_t value = 0;
  for (int i = width - 1; i >= 0; --i) value = (value << 8) | std::uint8_t(bytes[at + i]);
  return value;
}

// Checks the header is a plain 44-byte 44.1 kHz 16-bit mono PCM one whose
// sizes match the file, and returns the samples.
std::vector<std::int16_t> LoadTone(const std::string& name) {
  SCOPED_TRACE(name);
  std::ifstream file(std::string(TONE_FOLDER) + "/" + name, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (bytes.size() < 44) {
    ADD_FAILURE() << "missing or shorter than a header: " << bytes.size() << " bytes";
    return {};
  }
  EXPECT_EQ(bytes.substr(0, 4) + bytes.substr(8, 8) + bytes.substr(36, 4), "RIFFWAVEfmt data");
  EXPECT_EQ(Le(bytes, 4, 4), bytes.size() - 8);
  EXPECT_EQ(Le(bytes, 16, 4), 16u);     // fmt chunk size
  EXPECT_EQ(Le(bytes, 20, 2), 1u);      // integer PCM
  EXPECT_EQ(Le(bytes, 22, 2), 1u);      // channels
  EXPECT_EQ(Le(bytes, 24, 4), 44100u);  // sample rate
  EXPECT_EQ(Le(bytes, 28, 4), 88200u);  // byte rate
  EXPECT_EQ(Le(bytes, 32, 2), 2u);      // block align
  EXPECT_EQ(Le(bytes, 34, 2), 16u);     // bits per sample
  EXPECT_EQ(Le(bytes, 40, 4), bytes.size() - 44);
  EXPECT_EQ(bytes.size() % 2, 0u);
  std::vector<std::int16_t> samples;
  for (std::size_t at = 44; at + 1 < bytes.size(); at += 2) {
    samples.push_back(static_cast<std::int16_t>(Le(bytes, at, 2)));
  }
  return samples;
}

TEST(DefaultTones, AreTheSameCleanToneWithTheDashThreeDotsLong) {
  const std::vector<std::int16_t> dot = LoadTone("Mores_Code_Dot_Tone.wav");
  const std::vector<std::int16_t> dash = LoadTone("Mores_Code_Dash_Tone.wav");
  EXPECT_EQ(dash.size(), 3 * dot.size());
  EXPECT_EQ(dot.size(), 44100u * 80 / 1000);

  for (const auto* tone : {&dot, &dash}) {
    SCOPED_TRACE(tone == &dot ? "dot" : "dash");
    ASSERT_FALSE(tone->empty());
    // Ramped in and out: the ends are silent, so the speaker does not click.
    EXPECT_LE(std::abs(tone->front()), 100);
    EXPECT_LE(std::abs(tone->back()), 100);

    int peak = 0;
    for (std::int16_t s : *tone) peak = std::max(peak, std::abs(static_cast<int>(s)));
    EXPECT_NEAR(20.0 * std::log10(peak / 32768.0), -6.0, 0.5);

    // Frequency from the rising zero crossings, between the first and the
    // last one so that the partial periods at the ends do not count.
    std::vector<std::size_t> rising;
    for (std::size_t i = 1; i < tone->size(); ++i) {
      if ((*tone)[i - 1] < 0 && (*tone)[i] >= 0) rising.push_back(i);
    }
    ASSERT_GE(rising.size(), 2u);
    EXPECT_NEAR((rising.size() - 1) * 44100.0 / double(rising.back() - rising.front()), 750.0, 5.0);
  }
}

}  // namespace
