// The live listener: as accurate as the whole-recording one on the same
// recordings, far sooner, and the last word decided by the silence after it.

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/morse_table.h"
#include "engine/morse_to_text.h"
#include "listen/morse_listener.h"
#include "synth.h"

namespace {

constexpr std::size_t live_lookahead = 2;  // the window's

struct Heard {
  std::string before_finish;  // decided while the samples came
  std::string all;
};

Heard listen(const std::vector<float>& samples, int rate, bool live) {
  Morse_Listener listener(rate);
  if (live) listener.set_live(live_lookahead);
  Heard heard;
  const auto block = static_cast<std::size_t>(0.064 * rate);  // a capture buffer
  for (std::size_t at = 0; at < samples.size(); at += block) {
    listener.feed(samples.data() + at, std::min(block, samples.size() - at));
    heard.before_finish += listener.take();
  }
  listener.finish();
  heard.all = heard.before_finish + listener.take();
  return heard;
}

std::string as_text(const std::string& morse) {
  TMorse_Code_Table table;
  Build_Morse_Code_Table(table, kAlphabet_English);
  return morse_line_to_text(table, morse);
}

std::size_t letters(const std::string& morse) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < morse.size(); ++i)
    if (morse[i] == ' ' && i > 0 && morse[i - 1] != ' ') ++n;
  return n;
}

TEST(LiveListen, DecidesAsWellAsTheWholeRecordingAndSooner) {
  struct Case {
    const char* name;
    double wpm, snr_db, jitter;
    unsigned seed = 7;
  };
  // Very uneven keying spreads each gap class so wide that the first few
  // gaps, split by chance, made letter gaps word gaps and element gaps
  // letter gaps.
  const Case cases[] = {{"clean, 15 WPM", 15, INFINITY, 0.0},
                        {"clean, 30 WPM", 30, INFINITY, 0.0},
                        {"noise 0 dB in 2500 Hz", 20, 0.0, 0.0},
                        {"hand keying, jitter 20 %", 18, INFINITY, 0.2},
                        {"hand keying, jitter 35 %", 18, INFINITY, 0.35, 4}};
  for (const Case& c : cases) {
    Synth_Recording r;
    r.wpm = c.wpm;
    r.snr_db = c.snr_db;
    r.jitter = c.jitter;
    r.rate = 16000;
    r.seed = c.seed;
    r.text = random_words(r.seed, 60);
    std::vector<float> samples = synthesize(r);
    // The sound ends half a second after the last letter; a second and a
    // half of silence more lets the live listener see the over has ended.
    samples.resize(samples.size() + std::size_t(1.5 * r.rate), 0.0f);
    const Heard live = listen(samples, r.rate, true);
    const Heard file = listen(samples, r.rate, false);
    EXPECT_LE(character_error_rate(as_text(live.all), r.text),
              character_error_rate(as_text(file.all), r.text) + 0.01)
        << c.name << ": " << as_text(live.all);
    // Everything, the last word too, without waiting for the end; the
    // whole-recording listener still holds dozens of elements back.
    EXPECT_EQ(live.before_finish, live.all) << c.name;
    EXPECT_LT(letters(file.before_finish) + 8, letters(live.before_finish)) << c.name;
  }
}

}  // namespace
