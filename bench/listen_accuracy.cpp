// Character error rates of the listener on generated recordings, per
// condition, and its speed against real time; with multimon-ng's CW decoder
// side by side where it is installed.
//
//   listen_accuracy [recordings per condition]

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "engine/morse_table.h"
#include "engine/morse_to_text.h"
#include "listen/morse_listener.h"
#include "listen/synth.h"

namespace {

// Each recording of a condition takes its rate, tone and speed in turn from
// the ranges below, so that a condition covers them all.
struct Condition {
  std::string name;
  Synth_Recording recording;
  double slowest = 20.0, fastest = 20.0;  // WPM
  // Receiver conditions: operators' text of 30 to 60 s, a lead-in of noise
  // drawn from this range, and a tone from this range (0: the list below).
  bool radio = false;
  double lead_low = 0.5, lead_high = 0.5;
  double low_hz = 0.0, high_hz = 0.0;
};

constexpr int rates[] = {8000, 11025, 16000, 22050, 44100, 48000};
constexpr double tones[] = {450, 600, 700, 850, 1000};

Synth_Recording recording_of(const Condition& c, int k) {
  Synth_Recording r = c.recording;
  r.seed = unsigned(1000 + k);
  r.rate = rates[k % 6];
  r.tone_hz = tones[(k * 3 + 1) % 5];
  const double share = std::fmod(k * 0.618034, 1.0);
  r.wpm = c.slowest + (c.fastest - c.slowest) * share;
  if (r.end_wpm > 0) r.end_wpm = r.wpm * 25.0 / 15.0;
  if (r.farnsworth_wpm > 0) r.farnsworth_wpm = r.wpm / 2.0;
  r.text = random_words(r.seed, int(r.wpm * 2));  // about 25 s
  if (!c.radio) return r;
  const double other_share = std::fmod(k * 0.414214 + 0.2, 1.0);
  r.lead_in = c.lead_low + (c.lead_high - c.lead_low) * other_share;
  if (c.low_hz > 0)
    r.tone_hz = c.low_hz + (c.high_hz - c.low_hz) * std::fmod(k * 0.7548 + 0.1, 1.0);
  if (r.two_stations) {
    r.wpm = c.recording.wpm;
    r.tone_hz = c.recording.tone_hz;
  }
  if (r.crashes_per_second > 0) r.crashes_per_second = 2.0 + 3.0 * other_share;
  r.text = radio_words(r.seed, int(r.wpm * (3.0 + 1.5 * other_share)));  // 30 to 60 s
  return r;
}

std::vector<Condition> conditions() {
  std::vector<Condition> list;
  Synth_Recording r;
  list.push_back({"clean", r, 12, 40});
  r.farnsworth_wpm = 1;
  list.push_back({"Farnsworth (half the speed)", r, 15, 30});
  r = {};
  r.end_wpm = 1;
  list.push_back({"drift 15 to 25 WPM", r, 15, 15});
  for (const double snr : {10.0, 3.0, 0.0, -3.0, -6.0}) {
    r = {};
    r.snr_db = snr;
    list.push_back({"noise " + std::to_string(int(snr)) + " dB in 2500 Hz", r, 12, 40});
  }
  r = {};
  r.jitter = 0.2;
  list.push_back({"jitter 20 %", r, 12, 30});
  r.jitter = 0.35;
  list.push_back({"jitter 35 %", r, 12, 30});
  r = {};
  r.fade_db = 15;
  list.push_back({"fading 15 dB at 0.2 Hz", r, 15, 30});
  r.snr_db = 10;
  list.push_back({"fading 15 dB at 0.2 Hz, +10 dB", r, 15, 30});
  r.snr_db = 3;
  list.push_back({"fading 15 dB at 0.2 Hz, +3 dB", r, 15, 30});
  r = {};
  r.second_offset_hz = 150;
  r.second_db = -10;
  list.push_back({"second signal 150 Hz away, -10 dB", r, 15, 30});

  // Recordings as a receiver gives them: noise through its filter, the
  // signal-to-noise ratio in 500 Hz around the tone.
  const auto receiver = [](Receiver_Filter filter, double snr) {
    Synth_Recording s;
    s.filter = filter;
    s.snr_db = snr;
    s.snr_band_hz = 500;
    return s;
  };
  const auto add = [&](std::string name, Synth_Recording s, double slowest, double fastest,
                       double lead_low, double lead_high, double low_hz = 0, double high_hz = 0) {
    list.push_back({name, s, slowest, fastest, true, lead_low, lead_high, low_hz, high_hz});
  };
  add("lead-in 3.5-10 s, CW filter, +6 dB/500", receiver(Receiver_Filter::cw, 6), 15, 50, 3.5, 10);
  add("lead-in 3.5-10 s, SSB filter, +6 dB/500", receiver(Receiver_Filter::ssb, 6), 15, 50, 3.5,
      10);
  add("50 WPM, 3 s lead-in, +6 dB/500", receiver(Receiver_Filter::cw, 6), 50, 50, 3, 3);
  for (const double snr : {0.0, -3.0, -6.0})
    add("CW filter, " + std::to_string(int(snr)) + " dB/500", receiver(Receiver_Filter::cw, snr),
        15, 35, 1, 3);
  r = receiver(Receiver_Filter::cw, 10);
  r.crashes_per_second = 1;
  add("static crashes, +10 dB/500", r, 15, 35, 1, 3);
  r = receiver(Receiver_Filter::ssb, 10);
  r.two_stations = true;
  r.tone_hz = 600;
  r.wpm = 18;
  add("two stations 600/18, 720/26, +10 dB/500", r, 18, 18, 1, 3);
  add("any pitch 200-3000 Hz, +10 dB/500", receiver(Receiver_Filter::cw, 10), 15, 35, 1, 3, 200,
      3000);
  return list;
}

std::string decode(const std::vector<float>& samples, int rate, const TMorse_Code_Table& table,
                   double& seconds) {
  const std::clock_t start = std::clock();
  Morse_Listener listener(rate);
  // LISTEN_LIVE=N: the live listener, deciding after N later elements.
  if (const char* live = std::getenv("LISTEN_LIVE"); live != nullptr && std::atoi(live) > 0)
    listener.set_live(std::size_t(std::atoi(live)));
  std::string morse;
  for (std::size_t at = 0; at < samples.size(); at += 4096) {
    listener.feed(samples.data() + at, std::min<std::size_t>(4096, samples.size() - at));
    morse += listener.take();
  }
  listener.finish();
  morse += listener.take();
  seconds += double(std::clock() - start) / CLOCKS_PER_SEC;
  return morse_line_to_text(table, morse);
}

bool have_multimon() { return std::system("command -v multimon-ng >/dev/null 2>&1") == 0; }

// multimon-ng's CW decoder reads raw signed 16-bit samples at 22050 Hz.
// `options` are its CW settings (dot and gap lengths, thresholds).
std::string multimon(const std::vector<float>& samples, int rate, const std::string& options) {
  const std::string raw = "/tmp/listen_accuracy.raw";
  {
    std::ofstream out(raw, std::ios::binary);
    const double step = double(rate) / 22050.0;
    for (double t = 0; t < double(samples.size() - 1); t += step) {
      const auto i = static_cast<std::size_t>(t);
      const double frac = t - double(i);
      const double v = samples[i] * (1 - frac) + samples[i + 1] * frac;
      const auto s = static_cast<std::int16_t>(std::clamp(v, -1.0, 1.0) * 32000);
      out.write(reinterpret_cast<const char*>(&s), 2);
    }
  }
  const std::string command =
      "multimon-ng -q -t raw -a MORSE_CW " + options + " " + raw + " 2>/dev/null";
  std::string text;
  if (FILE* p = popen(command.c_str(), "r")) {
    char buffer[4096];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, p)) > 0) text.append(buffer, n);
    pclose(p);
  }
  // Its output: upper-case letters with spaces, on lines; one line here.
  std::string flat;
  for (const char c : text) {
    const char u = c == '\n' ? ' ' : char(std::toupper(static_cast<unsigned char>(c)));
    if (u == ' ' && (flat.empty() || flat.back() == ' ')) continue;
    flat += u;
  }
  while (!flat.empty() && flat.back() == ' ') flat.pop_back();
  return flat;
}

}  // namespace

int main(int argc, char* argv[]) {
  const int per_condition = argc > 1 ? std::max(1, std::atoi(argv[1])) : 4;
  const bool peer = have_multimon();
  TMorse_Code_Table table;
  Build_Morse_Code_Table(table, kAlphabet_English);
  std::printf("%-40s %9s %9s %9s%s\n", "condition", "CER", "median", "worst",
              peer ? "  multimon-ng" : "");
  double cpu = 0.0, audio = 0.0;
  const char* only = std::getenv("LISTEN_ONLY");  // a part of the conditions' names
  for (const Condition& c : conditions()) {
    if (only != nullptr && c.name.find(only) == std::string::npos) continue;
    double errors = 0.0, characters = 0.0, worst = 0.0, peer_errors[2] = {0.0, 0.0};
    std::vector<double> each;
    for (int k = 0; k < per_condition; ++k) {
      const Synth_Recording r = recording_of(c, k);
      const std::vector<float> samples = synthesize(r);
      audio += double(samples.size()) / r.rate;
      const std::string got = decode(samples, r.rate, table, cpu);
      const double cer = character_error_rate(got, r.text);
      if (std::getenv("LISTEN_VERBOSE") && cer > 0)
        std::printf("  %d Hz %.0f Hz %.1f WPM: %.2f%%\n  want %s\n  got  %s\n", r.rate, r.tone_hz,
                    r.wpm, 100 * cer, r.text.c_str(), got.substr(0, 300).c_str());
      errors += cer * double(r.text.size());
      characters += double(r.text.size());
      worst = std::max(worst, cer);
      each.push_back(cer);
      if (peer) {
        // Its best of two settings: its own timing detection, and the
        // recording's dot length given to it.
        const std::string dot = std::to_string(int(1200 / r.wpm));
        for (int s = 0; s < 2; ++s) {
          const std::string heard =
              multimon(samples, r.rate, s == 0 ? "" : "-d " + dot + " -g " + dot);
          peer_errors[s] += character_error_rate(heard, r.text) * double(r.text.size());
        }
      }
    }
    std::sort(each.begin(), each.end());
    const std::size_t n = each.size();
    const double median = n % 2 ? each[n / 2] : (each[n / 2 - 1] + each[n / 2]) / 2;
    std::printf("%-40s %8.2f%% %8.2f%% %8.2f%%", c.name.c_str(), 100 * errors / characters,
                100 * median, 100 * worst);
    if (peer) std::printf(" %11.1f%%", 100 * std::min(peer_errors[0], peer_errors[1]) / characters);
    std::printf("\n");
  }
  std::printf("decoding: %.3f s of processor time for %.0f s of sound: %.0f times real time\n", cpu,
              audio, audio / cpu);
}
