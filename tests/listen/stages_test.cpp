// The listener's stages on their own: what each promises the next.

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <vector>

#include "engine/morse_table.h"
#include "engine/morse_to_text.h"
#include "engine/text_to_morse.h"
#include "listen/decimator.h"
#include "listen/impulse_blanker.h"
#include "listen/key_detector.h"
#include "listen/morse_listener.h"
#include "listen/phase_tracker.h"
#include "listen/sequence_detector.h"
#include "synth.h"

namespace {

std::vector<Key_Event> detect(Key_Detector& detector, const std::vector<float>& levels) {
  std::vector<Key_Event> events;
  for (const float level : levels) detector.push({level, 0.0f}, events);
  detector.finish(events);
  return events;
}

int marks(const std::vector<Key_Event>& events) {
  int n = 0;
  for (const Key_Event& e : events) n += e.mark;
  return n;
}

std::vector<float> held(std::vector<float> levels, float level, double seconds, double rate) {
  levels.insert(levels.end(), static_cast<std::size_t>(seconds * rate), level);
  return levels;
}

TEST(KeyDetector, ALevelHeldNearTheThresholdGivesOneMark) {
  constexpr double rate = 500;
  Key_Detector detector(rate);
  detector.set_element(0.06);
  // Levels of 1 for marks and 0 for spaces; a mark, then a level that rises
  // to just below the threshold and stays there, inside the hysteresis.
  std::vector<std::complex<float>> calibration(200, 0.0f);
  calibration.resize(400, 1.0f);
  detector.calibrate(calibration);
  std::vector<float> levels = held(held({}, 1.0f, 0.2, rate), 0.0f, 0.3, rate);
  levels = held(held(levels, 0.39f, 1.0, rate), 0.0f, 0.5, rate);
  EXPECT_EQ(marks(detect(detector, levels)), 1);
}

TEST(KeyDetector, SilenceAfterAToneEndsTheMarkWhenTheWidthChanges) {
  constexpr double rate = 500;
  Key_Detector detector(rate);
  detector.set_element(0.05);
  std::vector<Key_Event> events;
  const auto push = [&](float level, double seconds) {
    for (int i = 0; i < int(seconds * rate); ++i) detector.push({level, 0.0f}, events);
  };
  push(0.0f, 0.5);
  push(1.0f, 0.3);
  push(0.0f, 0.02);
  detector.set_element(0.12);  // wider: summed over samples of the tone and the silence
  push(0.0f, 0.6);
  detector.set_element(0.03);  // narrower: over the silence alone
  push(0.0f, 1.0);
  detector.finish(events);
  ASSERT_EQ(marks(events), 1);
  for (const Key_Event& e : events) {
    if (e.mark) {
      EXPECT_GT(e.seconds, 0.25);
      EXPECT_LT(e.seconds, 0.45);
    }
  }
}

// Keyed Morse at the detector's rate, already turned onto the tone's phase:
// `level` in marks, complex noise of power 1 throughout (so the level's
// square is the ratio in the band the samples span), after `silence` seconds.
std::vector<std::complex<float>> keyed_in_noise(const std::string& text, double rate, double wpm,
                                                double level, double silence, unsigned seed) {
  TMorse_Code_Table table;
  Build_Morse_Code_Table(table, kAlphabet_English);
  std::vector<std::complex<float>> samples;
  std::mt19937 random(seed);
  std::normal_distribution<float> noise(0.0f, std::sqrt(0.5f));
  const auto add = [&](bool on, double units) {
    for (int i = int(std::lround(units * 1.2 / wpm * rate)); i > 0; --i)
      samples.push_back({float(on) * float(level) + noise(random), noise(random)});
  };
  add(false, silence * wpm / 1.2);
  for (const char c : text_line_to_morse(table, text)) {
    if (c == ' ') add(false, 2);
    if (c == '.' || c == '-') add(true, c == '.' ? 1 : 3), add(false, 1);
  }
  add(false, 10);
  return samples;
}

// The marks and gaps read against the dot: dots and dashes, and letter and
// word gaps, as a fixed rule would take them.
std::string read(const std::vector<Key_Event>& events, double dot) {
  std::string morse;
  for (const Key_Event& e : events) {
    const double units = e.seconds / dot;
    if (e.mark)
      morse += units > 2.0 ? '-' : '.';
    else if (!morse.empty())
      morse += units > 5.0 ? "   " : units > 2.0 ? " " : "";
  }
  while (!morse.empty() && morse.back() == ' ') morse.pop_back();
  return morse;
}

TEST(SequenceDetector, ReadsAWeakToneAndTakesNoNoiseForElements) {
  TMorse_Code_Table table;
  Build_Morse_Code_Table(table, kAlphabet_English);
  const double rate = 500, wpm = 20, dot = 1.2 / wpm;
  const std::string text = "CQ DE PA8T = RST 599 73";
  std::string sent = text_line_to_morse(table, text);
  while (sent.back() == ' ') sent.pop_back();
  // As strong as the noise in the band the samples span (a dot's worth of
  // samples stands 15 dB above it), and 3 dB weaker; then 20 s of noise
  // alone, which a path paying nothing for each element cuts into dozens.
  for (const double level : {1.0, 0.7}) {
    std::vector<std::complex<float>> samples = keyed_in_noise(text, rate, wpm, level, 2.0, 1);
    const std::size_t keyed = samples.size();
    const std::vector<std::complex<float>> noise = keyed_in_noise("", rate, wpm, 0.0, 20.0, 2);
    samples.insert(samples.end(), noise.begin(), noise.end());
    Sequence_Detector detector(rate, dot);
    detector.calibrate({samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(keyed)});
    std::vector<Key_Event> events;
    for (const std::complex<float>& s : samples) detector.push(s, true, events);
    detector.finish(events);
    int noise_marks = 0;
    double at = 0.0;
    for (const Key_Event& e : events) {
      noise_marks += e.mark && at > double(keyed) / rate;
      at += e.seconds;
    }
    EXPECT_LE(noise_marks, 4) << level;
    if (level == 1.0) {
      EXPECT_EQ(read(events, dot), sent);
    }

    // Scored over every path on one grid, with the levels a first pass at a
    // wrong guess learns, the true element is the likeliest: neither the
    // finer paths of a shorter one nor a longer one fits better.
    samples.resize(keyed);
    Sequence_Detector levels(rate, dot * 1.6);
    levels.calibrate(samples);
    for (const std::complex<float>& s : samples) levels.push(s, level == 1.0, events);
    std::vector<double> scores;
    for (const double share : {0.5, 0.63, 0.8, 1.0, 1.25, 1.6, 2.0}) {
      Sequence_Detector trial(rate, dot * share, dot * 0.5);
      trial.sum_paths();
      trial.calibrate(samples);
      trial.learn_levels(levels);
      for (const std::complex<float>& s : samples) trial.push(s, level == 1.0, events);
      scores.push_back(trial.score());
    }
    EXPECT_EQ(std::max_element(scores.begin(), scores.end()) - scores.begin(), 3) << level;
  }
}

std::string listen(const std::vector<float>& samples, int rate) {
  Morse_Listener listener(rate);
  listener.feed(samples.data(), samples.size());
  listener.finish();
  const std::string morse = listener.take();
  // A tone is reported found exactly when something was decoded.
  EXPECT_EQ(listener.tone_hz().has_value(), !morse.empty()) << morse;
  return morse;
}

// A keyed tone 6 Hz off the mixer, in noise: the tracker turns the marks
// onto the real axis and keeps them there, also after the mixer moves, and
// calls the tone weak only when it is.
TEST(PhaseTracker, HoldsTheTonesPhaseThroughGapsAndAMixerStep) {
  constexpr double rate = 500, dot = 0.06;
  const int pattern[] = {1, 1, 1, 0, 1, 0, 0, 0, 1, 0, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0};
  for (const auto& [snr_db, weak] : {std::pair{-3.0, true}, std::pair{20.0, false}}) {
    std::mt19937 random(7);
    std::normal_distribution<double> gauss(0.0, std::sqrt(std::pow(10.0, -snr_db / 10.0) / 2.0));
    double hz = 6.0, phase = 1.0;
    const auto keyed = [&](long long n) { return pattern[long(n / (dot * rate)) % 20] == 1; };
    const auto sample = [&](long long n) {
      phase += 2.0 * std::numbers::pi * hz / rate;
      return std::complex<float>(std::polar(keyed(n) ? 1.0 : 0.0, phase) +
                                 std::complex<double>(gauss(random), gauss(random)));
    };
    std::vector<std::complex<float>> first;
    for (long long n = 0; n < 4 * rate; ++n) first.push_back(sample(n));
    Phase_Tracker tracker(rate);
    tracker.prime(first);
    for (const std::complex<float>& x : first) tracker.turn(x);
    double in_phase = 0.0, across = 0.0, count = 0.0;
    for (long long n = 4 * rate; n < 14 * rate; ++n) {
      if (n == 9 * rate) {
        hz -= 3.0;
        tracker.retune(3.0);
      }
      const std::complex<float> turned = tracker.turn(sample(n));
      if (!keyed(n) || n < 5 * rate) continue;
      in_phase += turned.real();
      across += turned.imag();
      count += 1.0;
    }
    SCOPED_TRACE(snr_db);
    EXPECT_GT(in_phase / count, 0.85);
    EXPECT_LT(std::abs(across / count), 0.15);
    EXPECT_TRUE(tracker.steady());
    EXPECT_EQ(tracker.weak(), weak);
  }
}

TEST(Listener, NoiseAloneGivesNothing) {
  for (const int rate : {8000, 48000}) {
    for (const Receiver_Filter filter : {Receiver_Filter::none, Receiver_Filter::cw}) {
      Synth_Recording r;
      r.rate = rate;
      r.text = "";
      r.lead_in = 9.5;
      r.snr_db = 0;
      r.filter = filter;
      EXPECT_EQ(listen(synthesize(r), rate), "") << rate << " Hz";
    }
  }
}

// Eight seconds of a receiver's noise before a fast station: its peaks must
// not drag the mark level down until the noise itself makes letters. (A
// noise peak as long as a dot is a dot: one such letter may come.)
TEST(Listener, NoiseBeforeTheFirstLetterMakesNoRunOfLetters) {
  Synth_Recording r;
  r.rate = 48000;
  r.tone_hz = 1000;
  r.wpm = 42.94;
  r.lead_in = 8.41;
  r.filter = Receiver_Filter::cw;
  r.snr_db = 6;
  r.snr_band_hz = 500;
  r.seed = 1011;
  r.text = radio_words(r.seed, 177);
  const std::string morse = listen(synthesize(r), r.rate);
  TMorse_Code_Table table;
  Build_Morse_Code_Table(table, kAlphabet_English);
  const std::string text = morse_line_to_text(table, morse);
  const std::size_t first = text.find(r.text.substr(0, r.text.find(' ')));
  ASSERT_NE(first, std::string::npos) << text;
  EXPECT_LE(first, 2u) << text;
}

TEST(Listener, ALoneMarkAtTheVeryEndIsDecoded) {
  for (const int rate : {8000, 11025, 22050, 44100, 48000}) {
    // A lone mark of 0.17 s or more is a dash: the last one is not cut short.
    for (const double seconds : {0.04, 0.05, 0.06, 0.185}) {
      std::vector<float> samples(static_cast<std::size_t>(0.3 * rate), 0.0f);
      for (int n = 0; n < int(seconds * rate); ++n)
        samples.push_back(float(0.3 * std::sin(2.0 * std::numbers::pi * 700.0 * n / rate)));
      samples.insert(samples.end(), static_cast<std::size_t>(0.001 * rate), 0.0f);
      EXPECT_EQ(listen(samples, rate), seconds < 0.1 ? ". " : "- ")
          << rate << " Hz, " << seconds << " s";
    }
  }
}

// The output power of a decimator against its input's, in dB, for a sine.
double gain_db(Fir_Decimator& decimator, double hz, double rate) {
  std::vector<float> in(static_cast<std::size_t>(rate)), out;
  for (std::size_t n = 0; n < in.size(); ++n)
    in[n] = float(std::sin(2.0 * std::numbers::pi * hz * double(n) / rate));
  decimator.process(in.data(), in.size(), out);
  double power = 0.0;
  for (std::size_t n = out.size() / 2; n < out.size(); ++n) power += double(out[n]) * out[n];
  return 10.0 * std::log10(power / double(out.size() - out.size() / 2) / 0.5 + 1e-30);
}

TEST(Decimator, PassesTheBandAndStopsWhatWouldFoldIntoIt) {
  constexpr double rate = 48000;
  for (const double hz : {300.0, 1000.0, 3000.0}) {
    Fir_Decimator decimator(rate, 6, 3050, 4950);
    EXPECT_NEAR(gain_db(decimator, hz, rate), 0.0, 0.5) << hz;
  }
  for (const double hz : {4950.0, 7000.0, 12000.0, 23000.0}) {
    Fir_Decimator decimator(rate, 6, 3050, 4950);
    EXPECT_LT(gain_db(decimator, hz, rate), -50.0) << hz;
  }
}

// Static as a receiver gives it: bursts that die away over up to 20 ms, 10
// to 20 dB above a tone 10 dB over the noise, cut into pieces by the ripple
// of the receiver's narrow filter. Neither their tails nor what lies between
// the pieces may get through: what is let out holds little more than the
// noise alone.
TEST(ImpulseBlanker, SilencesStaticThatDiesAwayBehindAReceiversFilter) {
  Synth_Recording r;
  r.text = "";
  r.lead_in = 20;
  r.filter = Receiver_Filter::cw;
  r.snr_db = 10;
  r.snr_band_hz = 500;
  const std::vector<float> noise = synthesize(r);
  r.crashes_per_second = 4;
  const std::vector<float> in = synthesize(r);
  Impulse_Blanker blanker(r.rate);
  std::vector<float> out;
  blanker.process(in.data(), in.size(), out);
  blanker.flush(out);
  const auto energy = [](const std::vector<float>& v) {
    double e = 0.0;
    for (const float x : v) e += double(x) * x;
    return e;
  };
  EXPECT_GT(energy(in), 3.0 * energy(noise));
  EXPECT_LT(energy(out), 1.25 * energy(noise));
}

TEST(ImpulseBlanker, SilencesACrashAndPassesALouderSignalThatLasts) {
  constexpr double rate = 8000;
  Impulse_Blanker blanker(rate);
  std::mt19937 random(5);
  std::normal_distribution<float> normal(0.0f, 1.0f);
  std::vector<float> in;
  const auto tone = [&](float amplitude, double seconds) {
    for (int n = 0; n < int(seconds * rate); ++n)
      in.push_back(amplitude * float(std::sin(2.0 * std::numbers::pi * 700.0 * n / rate)));
  };
  tone(0.1f, 1.0);
  const std::size_t crash = in.size();
  for (int n = 0; n < int(0.01 * rate); ++n) in.push_back(normal(random));  // 20 dB up
  tone(0.1f, 0.5);
  const std::size_t louder = in.size();
  tone(1.0f, 0.5);
  // The same samples come out, later, with the crash silenced.
  std::vector<float> out;
  blanker.process(in.data(), in.size(), out);
  EXPECT_LT(out.size(), in.size());
  blanker.flush(out);
  ASSERT_EQ(out.size(), in.size());
  double crash_energy = 0.0;
  for (std::size_t n = crash; n < crash + std::size_t(0.01 * rate); ++n)
    crash_energy += double(out[n]) * out[n];
  EXPECT_LT(crash_energy, 0.01 * 0.01 * rate) << "not silenced";
  for (std::size_t n = louder; n < out.size(); ++n)
    ASSERT_EQ(out[n], in[n]) << "the louder tone cut at " << n - louder;
}

}  // namespace
