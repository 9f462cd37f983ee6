// How soon a live listener shows each letter, and what deciding sooner costs:
// the median time from the end of a letter's sound to its code, fed as a
// capture device gives it (buffers of 64 ms), and the character error rates
// of the live listener and of the whole-recording one on the same recordings.
//
//   listen_latency [recordings per condition] [look-ahead]

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/morse_table.h"
#include "engine/morse_to_text.h"
#include "listen/morse_listener.h"
#include "listen/synth.h"

namespace {

constexpr std::size_t window_lookahead = 2;  // what the window uses
constexpr double buffer_seconds = 0.064;     // a capture buffer
constexpr double poll_seconds = 0.05;        // how often the window looks

// The ends of the letters, in seconds, from the recording without noise: a
// silence longer than two dots ends one.
std::vector<double> letter_ends(Synth_Recording r) {
  r.snr_db = INFINITY;
  r.crashes_per_second = 0;
  r.second_offset_hz = 0;
  const std::vector<float> clean = synthesize(r);
  const double dot = 1.2 / std::max(r.wpm, r.end_wpm);
  const auto hold = static_cast<long long>(0.002 * r.rate);
  std::vector<double> ends;
  long long last_on = -1;
  bool open = false;
  for (long long n = 0; n < static_cast<long long>(clean.size()); ++n) {
    if (std::abs(clean[std::size_t(n)]) > 1e-4f) {
      last_on = n;
      open = true;
    } else if (open && double(n - last_on) > 2.0 * dot * r.rate && n - last_on > hold) {
      ends.push_back(double(last_on + 1) / r.rate);
      open = false;
    }
  }
  if (open) ends.push_back(double(last_on + 1) / r.rate);
  return ends;
}

struct Heard {
  std::string morse;
  std::vector<double> letter_at;  // when each code was complete, in seconds
};

Heard listen(const std::vector<float>& samples, int rate, std::size_t lookahead) {
  Morse_Listener listener(rate);
  if (lookahead > 0) listener.set_live(lookahead);
  Heard heard;
  const auto block = static_cast<std::size_t>(buffer_seconds * rate);
  double next_poll = 0;
  for (std::size_t at = 0; at < samples.size(); at += block) {
    const std::size_t n = std::min(block, samples.size() - at);
    listener.feed(samples.data() + at, n);
    const double now = double(at + n) / rate;
    if (now < next_poll) continue;
    next_poll = now + poll_seconds;
    const std::string got = listener.take();
    for (std::size_t i = 0; i < got.size(); ++i) {
      const char before = i > 0 ? got[i - 1] : (heard.morse.empty() ? ' ' : heard.morse.back());
      if (got[i] == ' ' && before != ' ') heard.letter_at.push_back(now);
    }
    heard.morse += got;
  }
  listener.finish();
  heard.morse += listener.take();
  return heard;
}

double median(std::vector<double> v) {
  if (v.empty()) return NAN;
  std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
  const int per_condition = argc > 1 ? std::max(1, std::atoi(argv[1])) : 4;
  const std::size_t lookahead =
      argc > 2 ? std::size_t(std::max(1, std::atoi(argv[2]))) : window_lookahead;
  TMorse_Code_Table table;
  Build_Morse_Code_Table(table, kAlphabet_English);
  struct Condition {
    const char* name;
    double snr_db, jitter, wpm_low, wpm_high, fade_db = 0, drift = 0;
    double farnsworth = 0;  // the overall speed as a share of the speed; 0: none
  };
  const Condition conditions[] = {{"clean", INFINITY, 0.0, 12, 35},
                                  {"noise 3 dB in 2500 Hz", 3, 0.0, 12, 35},
                                  {"noise -3 dB in 2500 Hz", -3, 0.0, 12, 35},
                                  {"noise -8 dB in 2500 Hz", -8, 0.0, 12, 35},
                                  {"hand keying, jitter 20 %", INFINITY, 0.2, 12, 30},
                                  {"hand keying, jitter 35 %", INFINITY, 0.35, 12, 30},
                                  {"fading 15 dB, +3 dB", 3, 0.0, 15, 30, 15},
                                  {"drift 15 to 25 WPM", INFINITY, 0.0, 15, 15, 0, 25},
                                  {"jitter 35 %, noise 3 dB", 3, 0.35, 12, 30},
                                  {"jitter 25 %, noise -3 dB", -3, 0.25, 12, 30},
                                  {"Farnsworth, half the speed", INFINITY, 0.0, 18, 30, 0, 0, 0.5},
                                  {"Farnsworth, jitter 20 %", INFINITY, 0.2, 18, 30, 0, 0, 0.6},
                                  {"35 to 45 WPM, noise 3 dB", 3, 0.0, 35, 45},
                                  {"8 to 12 WPM, jitter 20 %", INFINITY, 0.2, 8, 12},
                                  {"Farnsworth, 20 WPM at 8", INFINITY, 0.0, 20, 20, 0, 0, 0.4}};
  std::printf("look-ahead %zu\n%-28s %8s %8s %10s %10s\n", lookahead, "condition", "median s",
              "90 % s", "CER live", "CER file");
  std::vector<double> all;
  const char* only = std::getenv("LATENCY_ONLY");  // a part of the conditions' names
  for (const Condition& c : conditions) {
    if (only != nullptr && std::string(c.name).find(only) == std::string::npos) continue;
    std::vector<double> latencies;
    double live_errors = 0, file_errors = 0, characters = 0;
    for (int k = 0; k < per_condition; ++k) {
      Synth_Recording r;
      r.seed = unsigned(500 + k);
      r.rate = k % 2 == 0 ? 16000 : 48000;
      r.tone_hz = 500 + 100 * (k % 5);
      r.wpm = c.wpm_low + (c.wpm_high - c.wpm_low) * std::fmod(k * 0.618034, 1.0);
      r.snr_db = c.snr_db;
      r.jitter = c.jitter;
      r.fade_db = c.fade_db;
      r.end_wpm = c.drift;
      r.farnsworth_wpm = c.farnsworth * r.wpm;
      r.text = random_words(r.seed, int(r.wpm * 2));
      const std::vector<float> samples = synthesize(r);
      const std::vector<double> ends = letter_ends(r);
      const Heard live = listen(samples, r.rate, lookahead);
      const Heard file = listen(samples, r.rate, 0);
      // The codes heard in order against the letters sent; a code split or
      // merged by noise shifts the rest, which the median tolerates.
      for (std::size_t i = 0; i < std::min(ends.size(), live.letter_at.size()); ++i)
        latencies.push_back(live.letter_at[i] - ends[i]);
      if (std::getenv("LATENCY_VERBOSE"))
        std::printf("  want %s\n  live %s\n  file %s\n", r.text.c_str(),
                    morse_line_to_text(table, live.morse).c_str(),
                    morse_line_to_text(table, file.morse).c_str());
      live_errors +=
          character_error_rate(morse_line_to_text(table, live.morse), r.text) * r.text.size();
      file_errors +=
          character_error_rate(morse_line_to_text(table, file.morse), r.text) * r.text.size();
      characters += double(r.text.size());
    }
    std::vector<double> sorted = latencies;
    std::sort(sorted.begin(), sorted.end());
    const double p90 = sorted.empty() ? NAN : sorted[sorted.size() * 9 / 10];
    std::printf("%-28s %8.2f %8.2f %9.2f%% %9.2f%%\n", c.name, median(latencies), p90,
                100 * live_errors / characters, 100 * file_errors / characters);
    all.insert(all.end(), latencies.begin(), latencies.end());
  }
  std::printf("%-28s %8.2f\n", "all", median(all));
}
