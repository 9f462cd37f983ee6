// The streaming WAV reader: every sample format and channel count decodes to
// the samples written, whatever the size of the blocks it is fed; the header
// forms recorders leave; and what it leaves to the whole-file reader.

#include "listen/wav_stream.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {

std::string le(std::uint64_t v, int bytes) {
  std::string s;
  for (int i = 0; i < bytes; ++i) s.push_back(static_cast<char>(v >> (8 * i) & 0xFF));
  return s;
}

std::string chunk(const std::string& id, const std::string& body, bool pad = true) {
  return id + le(body.size(), 4) + body + (pad && body.size() % 2 ? std::string(1, '\0') : "");
}

std::string fmt_body(int tag, int channels, int bits, int rate = 8000) {
  const int align = channels * bits / 8;
  return le(tag, 2) + le(channels, 2) + le(rate, 4) + le(rate * align, 4) + le(align, 2) +
         le(bits, 2);
}

std::string extensible(int sub_tag, int channels, int bits) {
  return fmt_body(0xFFFE, channels, bits) + le(22, 2) + le(bits, 2) + le(0, 4) + le(sub_tag, 2) +
         std::string("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
}

std::string riff(const std::string& chunks) {
  return "RIFF" + le(4 + chunks.size(), 4) + "WAVE" + chunks;
}

struct Read {
  Wav_Stream::State state;
  std::vector<float> samples;
};

Read read(const std::string& bytes, std::size_t block) {
  Wav_Stream wav;
  for (std::size_t at = 0; at < bytes.size(); at += block) {
    const std::size_t n = std::min(block, bytes.size() - at);
    wav.feed(reinterpret_cast<const unsigned char*>(bytes.data()) + at, n);
  }
  return {wav.state(), wav.samples()};
}

// Read at the block sizes a pipe may give, which must all agree.
Read read_every_way(const std::string& bytes) {
  const Read first = read(bytes, 1);
  for (std::size_t block : {7, 4096}) {
    const Read other = read(bytes, block);
    EXPECT_EQ(other.state, first.state) << "block " << block;
    EXPECT_EQ(other.samples, first.samples) << "block " << block;
  }
  return first;
}

// Full-scale values each format holds exactly.
const double levels[] = {-1.0, -0.5, 0.0, 0.25, 0.5, 0.75};

std::string encode(int tag, int bits, double v) {
  if (tag == 3)
    return bits == 32 ? le(std::bit_cast<std::uint32_t>(float(v)), 4)
                      : le(std::bit_cast<std::uint64_t>(v), 8);
  const double full = std::ldexp(1.0, bits - 1);
  const auto i = static_cast<std::int64_t>(v * full);
  return le(static_cast<std::uint64_t>(bits == 8 ? i + 128 : i), bits / 8);
}

TEST(Wav_Stream, EveryFormatAndChannelCountDecodesToItsSamplesMixedDown) {
  const struct {
    int tag, bits;
    bool extensible;
  } formats[] = {{1, 8, false},  {1, 16, false}, {1, 24, false}, {1, 32, false}, {3, 32, false},
                 {3, 64, false}, {1, 16, true},  {1, 24, true},  {3, 32, true}};
  for (const auto& f : formats) {
    for (int channels : {1, 2, 3}) {
      // Frame i holds levels[i] in channel 0 and levels[i + c] after it.
      std::string data;
      std::vector<float> expected;
      for (std::size_t i = 0; i < std::size(levels); ++i) {
        double sum = 0;
        for (int c = 0; c < channels; ++c) {
          const double v = levels[(i + std::size_t(c)) % std::size(levels)];
          data += encode(f.tag, f.bits, v);
          sum += v;
        }
        expected.push_back(float(sum / channels));
      }
      const std::string format =
          f.extensible ? extensible(f.tag, channels, f.bits) : fmt_body(f.tag, channels, f.bits);
      const Read got = read_every_way(riff(chunk("fmt ", format) + chunk("data", data)));
      const std::string what = "tag " + std::to_string(f.tag) + ", " + std::to_string(f.bits) +
                               " bits" + (f.extensible ? " extensible, " : ", ") +
                               std::to_string(channels) + " channels";
      EXPECT_EQ(got.state, Wav_Stream::State::Ended) << what;
      ASSERT_EQ(got.samples.size(), expected.size()) << what;
      for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(got.samples[i], expected[i], 1e-6) << what << ", frame " << i;
    }
  }
}

TEST(Wav_Stream, MuLawAndALawDecodeAsTheTelephoneCodesDo) {
  // Silence, the loudest positive and negative codes and a quiet one.
  const std::string mu("\xFF\x80\x00\xFE", 4), a("\xD5\xAA\x2A\x55", 4);
  const std::vector<float> mu_expected = {0, 32124 / 32768.f, -32124 / 32768.f, 8 / 32768.f};
  const std::vector<float> a_expected = {8 / 32768.f, 32256 / 32768.f, -32256 / 32768.f,
                                         -8 / 32768.f};
  EXPECT_EQ(read_every_way(riff(chunk("fmt ", fmt_body(7, 1, 8)) + chunk("data", mu))).samples,
            mu_expected);
  EXPECT_EQ(read_every_way(riff(chunk("fmt ", fmt_body(6, 1, 8)) + chunk("data", a))).samples,
            a_expected);
}

TEST(Wav_Stream, HeadersAsRecordersLeaveThem) {
  const std::string fmt = chunk("fmt ", fmt_body(1, 1, 16));
  const std::string four = le(1000, 2) + le(2000, 2) + le(3000, 2) + le(4000, 2);
  const std::vector<float> all = {1000 / 32768.f, 2000 / 32768.f, 3000 / 32768.f, 4000 / 32768.f};
  const std::vector<float> first_three(all.begin(), all.begin() + 3);
  const std::string after = chunk("LIST", "INFOabc");
  const struct {
    const char* what;
    std::string bytes;
    Wav_Stream::State state;
    std::vector<float> samples;
  } cases[] = {
      {"odd chunks before the format and the data, with their pad bytes",
       riff(chunk("junk", "abc") + fmt + chunk("bext", "x") + chunk("data", four) + after),
       Wav_Stream::State::Ended, all},
      {"a chunk after the data is not read as samples", riff(fmt + chunk("data", four) + after),
       Wav_Stream::State::Ended, all},
      {"a data size of 0: to the end", riff(fmt + "data" + le(0, 4) + four),
       Wav_Stream::State::Samples, all},
      {"a data size of 0xFFFFFFFF: to the end", riff(fmt + "data" + le(0xFFFFFFFF, 4) + four),
       Wav_Stream::State::Samples, all},
      {"data cut short: its whole frames, the last partial one dropped",
       riff(fmt + "data" + le(100, 4) + four.substr(0, 7)), Wav_Stream::State::Samples,
       first_three},
      {"a leading WAVE without RIFF", "WAVE" + fmt + chunk("data", four), Wav_Stream::State::Ended,
       all},
      {"a header cut off before the data", riff(fmt + "da"), Wav_Stream::State::Header, {}},
      {"a compressed format",
       riff(chunk("fmt ", fmt_body(2, 1, 4)) + chunk("data", four)),
       Wav_Stream::State::Unstreamable,
       {}},
      {"data before the format",
       riff(chunk("data", four) + fmt),
       Wav_Stream::State::Unstreamable,
       {}},
      {"a format chunk claiming 4 GB",
       riff("fmt " + le(0xFFFFFFFF, 4) + fmt_body(1, 1, 16)),
       Wav_Stream::State::Unstreamable,
       {}},
      {"no channels",
       riff(chunk("fmt ", fmt_body(1, 0, 16)) + chunk("data", four)),
       Wav_Stream::State::Unstreamable,
       {}},
      {"text", "some plain text, not a recording", Wav_Stream::State::Not_Wav, {}},
  };
  for (const auto& c : cases) {
    const Read got = read_every_way(c.bytes);
    EXPECT_EQ(got.state, c.state) << c.what;
    EXPECT_EQ(got.samples, c.samples) << c.what;
  }
}

}  // namespace
