// Character error rates of the listener on generated recordings, per
// condition, and its speed against real time; with multimon-ng's CW decoder
// side by side where it is installed.
//
//   listen_accuracy [recordings per condition]

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
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

struct Condition {
  const char* name;
  Synth_Recording recording;
};

std::vector<Condition> conditions() {
  const auto at = [](double wpm, int rate, double hz) {
    Synth_Recording r;
    r.wpm = wpm;
    r.rate = rate;
    r.tone_hz = hz;
    return r;
  };
  std::vector<Condition> list = {
      {"clean 12 WPM, 8 kHz, 450 Hz", at(12, 8000, 450)},
      {"clean 20 WPM, 44.1 kHz, 700 Hz", at(20, 44100, 700)},
      {"clean 40 WPM, 48 kHz, 1000 Hz", at(40, 48000, 1000)},
  };
  Synth_Recording r = at(20, 22050, 600);
  r.farnsworth_wpm = 10;
  list.push_back({"Farnsworth 20/10 WPM", r});
  r = at(15, 16000, 800);
  r.end_wpm = 25;
  list.push_back({"drift 15 to 25 WPM", r});
  for (const double snr : {10.0, 3.0, 0.0, -3.0, -6.0}) {
    r = at(20, 8000, 700);
    r.snr_db = snr;
    static std::vector<std::string> names;
    names.push_back("noise " + std::to_string(int(snr)) + " dB in 2500 Hz, 20 WPM");
    list.push_back({names.back().c_str(), r});
  }
  r = at(20, 11025, 700);
  r.jitter = 0.2;
  list.push_back({"jitter 20 %, 20 WPM", r});
  r.jitter = 0.35;
  list.push_back({"jitter 35 %, 20 WPM", r});
  r = at(20, 8000, 700);
  r.fade_db = 15;
  r.snr_db = 10;
  list.push_back({"fading 15 dB at 0.2 Hz, +10 dB", r});
  r = at(20, 8000, 700);
  r.second_offset_hz = 150;
  r.second_db = -10;
  list.push_back({"second signal 150 Hz away, -10 dB", r});
  return list;
}

std::string decode(const std::vector<float>& samples, int rate, const TMorse_Code_Table& table,
                   double& seconds) {
  const std::clock_t start = std::clock();
  Morse_Listener listener(rate);
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
std::string multimon(const std::vector<float>& samples, int rate) {
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
  const std::string command = "multimon-ng -q -t raw -a MORSE_CW " + raw + " 2>/dev/null";
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
  std::printf("%-40s %10s %10s%s\n", "condition", "CER", "worst", peer ? "  multimon-ng" : "");
  double cpu = 0.0, audio = 0.0;
  const char* only = std::getenv("LISTEN_ONLY");  // a part of the conditions' names
  for (const Condition& c : conditions()) {
    if (only != nullptr && std::string(c.name).find(only) == std::string::npos) continue;
    double errors = 0.0, characters = 0.0, worst = 0.0, peer_errors = 0.0;
    for (int k = 0; k < per_condition; ++k) {
      Synth_Recording r = c.recording;
      r.seed = unsigned(1000 + k);
      r.text = random_words(r.seed, int(r.wpm * 2));  // about 25 s
      const std::vector<float> samples = synthesize(r);
      audio += double(samples.size()) / r.rate;
      const std::string got = decode(samples, r.rate, table, cpu);
      const double cer = character_error_rate(got, r.text);
      if (std::getenv("LISTEN_VERBOSE") && cer > 0)
        std::printf("  want %s\n  got  %s\n", r.text.c_str(), got.substr(0, 300).c_str());
      errors += cer * double(r.text.size());
      characters += double(r.text.size());
      worst = std::max(worst, cer);
      if (peer)
        peer_errors +=
            character_error_rate(multimon(samples, r.rate), r.text) * double(r.text.size());
    }
    std::printf("%-40s %9.2f%% %9.2f%%", c.name, 100 * errors / characters, 100 * worst);
    if (peer) std::printf(" %11.1f%%", 100 * peer_errors / characters);
    std::printf("\n");
  }
  std::printf("decoding: %.3f s of processor time for %.0f s of sound: %.0f times real time\n", cpu,
              audio, audio / cpu);
}
