// The listener on generated recordings: each condition of speed, rate,
// tone, noise, keying and fading decoded within its error bound, and the
// same output however the samples are handed over.

#include <gtest/gtest.h>

#include <cmath>

#include "engine/morse_table.h"
#include "engine/morse_to_text.h"
#include "listen/morse_listener.h"
#include "synth.h"

namespace {

std::string listen(const std::vector<float>& samples, int rate, std::size_t block) {
  Morse_Listener listener(rate);
  std::string morse;
  for (std::size_t at = 0; at < samples.size(); at += block) {
    listener.feed(samples.data() + at, std::min(block, samples.size() - at));
    morse += listener.take();
  }
  listener.finish();
  return morse + listener.take();
}

std::string as_text(const std::string& morse) {
  TMorse_Code_Table table;
  Build_Morse_Code_Table(table, kAlphabet_English);
  return morse_line_to_text(table, morse);
}

Synth_Recording at(double wpm, int rate, double hz) {
  Synth_Recording r;
  r.wpm = wpm;
  r.rate = rate;
  r.tone_hz = hz;
  return r;
}

TEST(Listen, EachConditionIsDecodedWithinItsErrorBound) {
  struct Case {
    const char* name;
    Synth_Recording recording;
    double bound;  // character errors over all its recordings, word spaces included
  };
  std::vector<Case> cases = {
      {"clean, 12 WPM at 8 kHz", at(12, 8000, 450), 0.0},
      {"clean, 40 WPM at 48 kHz", at(40, 48000, 1000), 0.0},
  };
  Synth_Recording r = at(20, 22050, 600);
  r.farnsworth_wpm = 8;
  cases.push_back({"Farnsworth", r, 0.0});
  r = at(15, 16000, 800);
  r.end_wpm = 25;
  cases.push_back({"drift", r, 0.005});
  r = at(20, 8000, 700);
  r.snr_db = 0;
  cases.push_back({"0 dB", r, 0.03});
  r.tone_drift_hz = 60;
  cases.push_back({"0 dB, the tone drifting by 60 Hz", r, 0.03});
  r.tone_drift_hz = 0;
  r.snr_db = -6;
  cases.push_back({"-6 dB", r, 0.15});
  r = at(25, 11025, 650);
  r.jitter = 0.35;
  cases.push_back({"jitter", r, 0.06});
  r = at(20, 8000, 700);
  r.fade_db = 15;
  r.snr_db = 10;
  cases.push_back({"fading", r, 0.05});
  r = at(20, 8000, 700);
  r.second_offset_hz = -150;
  cases.push_back({"second signal", r, 0.01});
  // As a receiver gives them: noise through its filter, in 500 Hz.
  r = at(30, 16000, 650);
  r.filter = Receiver_Filter::cw;
  r.snr_band_hz = 500;
  r.snr_db = 6;
  r.lead_in = 7;
  cases.push_back({"7 s of noise before the first letter", r, 0.04});
  r = at(25, 8000, 2800);
  r.filter = Receiver_Filter::ssb;
  r.snr_band_hz = 500;
  r.snr_db = 10;
  cases.push_back({"a tone of 2800 Hz", r, 0.0});
  r.tone_hz = 250;
  cases.push_back({"a tone of 250 Hz", r, 0.0});
  r = at(20, 22050, 800);
  r.filter = Receiver_Filter::cw;
  r.snr_band_hz = 500;
  r.snr_db = 10;
  r.crashes_per_second = 4;
  cases.push_back({"static crashes", r, 0.08});
  r = at(18, 11025, 600);
  r.filter = Receiver_Filter::ssb;
  r.snr_band_hz = 500;
  r.snr_db = 10;
  r.two_stations = true;
  cases.push_back({"two stations taking turns", r, 0.02});
  r.other_hz = r.tone_hz;
  r.wpm = 14;
  r.other_wpm = 35;
  r.other_db = 0;
  cases.push_back({"two stations at one tone, 14 and 35 WPM", r, 0.05});

  for (const Case& c : cases) {
    double errors = 0, characters = 0;
    for (unsigned seed = 1; seed <= 3; ++seed) {
      Synth_Recording rec = c.recording;
      rec.seed = seed;
      rec.text = rec.two_stations ? radio_words(seed, 120) : random_words(seed, 40);
      const std::string got = as_text(listen(synthesize(rec), rec.rate, 4096));
      errors += character_error_rate(got, rec.text) * double(rec.text.size());
      characters += double(rec.text.size());
    }
    EXPECT_LE(errors / characters, c.bound) << c.name;
  }
}

// A weak tone whose first seconds, mostly noise, make the first guess of the
// speed a third of the true one: fitted over the speeds around it and again
// on what follows, it is decoded at its own (13 % of its letters wrong;
// kept within twice the guess and never fitted again, 26 %).
TEST(Listen, AWeakToneIsDecodedAtItsOwnSpeedWhateverTheFirstGuess) {
  Synth_Recording r = at(33.885, 16000, 450);
  r.filter = Receiver_Filter::cw;
  r.snr_band_hz = 500;
  r.snr_db = 0;
  r.lead_in = 2.027;
  r.seed = 1008;
  r.text = radio_words(r.seed, 127);
  EXPECT_LE(character_error_rate(as_text(listen(synthesize(r), r.rate, 4096)), r.text), 0.18);
}

TEST(Listen, OutputIsTheSameWhateverTheBlocksAndEndsWithTheLastCode) {
  Synth_Recording r = at(18, 44100, 900);
  r.text = "CQ DE TAPWREN K";
  r.snr_db = 6;
  const std::vector<float> samples = synthesize(r);
  const std::string whole = listen(samples, r.rate, samples.size());
  EXPECT_EQ(whole, "-.-. --.-   -.. .   - .- .--. .-- .-. . -.   -.- ");
  // What was heard, for the window to show.
  Morse_Listener listener(r.rate);
  listener.feed(samples.data(), samples.size());
  listener.finish();
  ASSERT_TRUE(listener.tone_hz());
  EXPECT_NEAR(*listener.tone_hz(), 900, 5);
  EXPECT_NEAR(listener.wpm(), 18, 2.5);
  EXPECT_EQ(listen(samples, r.rate, 1), whole);
  EXPECT_EQ(listen(samples, r.rate, 1000), whole);
}

TEST(Listen, SilenceAndNoiseAloneGiveNothing) {
  EXPECT_EQ(listen(std::vector<float>(48000, 0.0f), 48000, 4096), "");
  EXPECT_EQ(listen({}, 8000, 4096), "");
  // Too low a rate for any tone the listener looks for.
  EXPECT_EQ(listen(std::vector<float>(1000, 0.5f), 100, 4096), "");
}

TEST(Listen, SamplesThatAreNoNumbersAreSilence) {
  Synth_Recording r = at(20, 8000, 700);
  r.text = "TEST";
  std::vector<float> samples = synthesize(r);
  const std::string clean = listen(samples, r.rate, 4096);
  ASSERT_EQ(clean, "- . ... - ");
  // Broken samples in the silence before and after the code.
  for (const float odd : {NAN, INFINITY, -INFINITY}) {
    std::vector<float> broken = samples;
    for (std::size_t i = 0; i < 2000; i += 7) broken[i] = broken[broken.size() - 1 - i] = odd;
    EXPECT_EQ(listen(broken, r.rate, 4096), clean) << odd;
  }
  // The largest finite samples are loud clicks: no flood of codes from them.
  for (std::size_t i = 0; i < samples.size(); i += 1000) samples[i] = i % 2000 ? 3e38f : -3e38f;
  EXPECT_LT(listen(samples, r.rate, 4096).size(), 40u);
}

}  // namespace
