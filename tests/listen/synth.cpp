#include "synth.h"

#include <algorithm>
#include <cstdint>
#include <numbers>
#include <random>

#include "engine/morse_table.h"

namespace {

// The draws are made here from the engine's raw words, which the standard
// fixes, rather than by the standard distributions, whose numbers differ
// from one standard library to another: the same seed then gives the same
// recording everywhere.

// Uniform in (0, 1): never 0, so that its logarithm is finite.
double uniform(std::mt19937& random) { return (double(random()) + 0.5) / 4294967296.0; }

double uniform(std::mt19937& random, double low, double high) {
  return low + (high - low) * uniform(random);
}

// 0 .. n-1.
int pick(std::mt19937& random, int n) {
  return static_cast<int>(std::uint64_t{random()} * std::uint64_t(n) >> 32);
}

// Standard normal, by the Box-Muller transform.
double normal(std::mt19937& random) {
  const double radius = std::sqrt(-2.0 * std::log(uniform(random)));
  return radius * std::cos(2.0 * std::numbers::pi * uniform(random));
}

struct Tone_Span {
  double start = 0.0;  // seconds
  double length = 0.0;
};

// The key-down spans of a text, with the recording's length.
std::vector<Tone_Span> keying(const std::string& text, double wpm, double end_wpm,
                              double farnsworth_wpm, double jitter, std::mt19937& random,
                              double& length) {
  TMorse_Code_Table table;
  Build_Morse_Code_Table(table, kAlphabet_English);
  const auto jittered = [&](double seconds) {
    return seconds * (1.0 + uniform(random, -jitter, jitter));
  };
  std::vector<Tone_Span> spans;
  double t = 0.5;
  double letter_gap = 0.0;
  const double count = std::max<double>(1.0, double(text.size()));
  for (std::size_t i = 0; i < text.size(); ++i) {
    const double speed = end_wpm > 0 ? wpm + (end_wpm - wpm) * double(i) / count : wpm;
    const double unit = 1.2 / speed;
    // The Farnsworth spacing: characters at full speed, longer pauses.
    double spacing = unit;
    if (farnsworth_wpm > 0 && farnsworth_wpm < speed)
      spacing = (60.0 * speed - 37.2 * farnsworth_wpm) / (farnsworth_wpm * speed) / 19.0;
    const char c = text[i];
    if (c == ' ') {
      // A hand keys a word gap as one pause, off as a whole: it takes the
      // place of the letter gap already added.
      t += jittered(7 * spacing) - letter_gap;
      letter_gap = 0.0;
      continue;
    }
    const std::string_view code = table.text_codes()[static_cast<unsigned char>(c)];
    for (std::size_t k = 0; k < code.size(); ++k) {
      const double mark = jittered(code[k] == '-' ? 3 * unit : unit);
      spans.push_back({t, mark});
      t += mark;
      if (k + 1 < code.size()) {
        t += jittered(unit);
      } else {
        letter_gap = jittered(3 * spacing);
        t += letter_gap;
      }
    }
  }
  length = t + 0.5;
  return spans;
}

// A tone of `hz` at the start, moved by `drift_hz` at the end of `out`.
void add_tone(std::vector<float>& out, int rate, const std::vector<Tone_Span>& spans, double hz,
              double amplitude, double drift_hz = 0.0) {
  const double sweep = drift_hz / (double(out.size()) / rate);  // Hz per second
  const double ramp = 0.004;  // seconds of raised-cosine rise and fall
  for (const Tone_Span& s : spans) {
    const auto from = static_cast<std::size_t>(s.start * rate);
    const auto to = std::min(out.size(), static_cast<std::size_t>((s.start + s.length) * rate));
    for (std::size_t n = from; n < to; ++n) {
      const double t = double(n) / rate;
      const double edge = std::min(t - s.start, s.start + s.length - t);
      const double gain =
          edge >= ramp ? 1.0 : 0.5 - 0.5 * std::cos(std::numbers::pi * std::max(edge, 0.0) / ramp);
      out[n] += float(amplitude * gain *
                      std::sin(2.0 * std::numbers::pi * (hz * t + 0.5 * sweep * t * t)));
    }
  }
}

}  // namespace

std::vector<float> synthesize(const Synth_Recording& r) {
  std::mt19937 random(r.seed);
  double length = 0.0;
  const auto spans = keying(r.text, r.wpm, r.end_wpm, r.farnsworth_wpm, r.jitter, random, length);
  std::vector<float> out(static_cast<std::size_t>(length * r.rate), 0.0f);
  const double amplitude = 0.3;
  add_tone(out, r.rate, spans, r.tone_hz, amplitude, r.tone_drift_hz);
  if (r.fade_db > 0) {
    for (std::size_t n = 0; n < out.size(); ++n) {
      const double t = double(n) / r.rate;
      const double depth_db =
          r.fade_db * (0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * r.fade_hz * t));
      out[n] *= float(std::pow(10.0, -depth_db / 20.0));
    }
  }
  if (r.second_offset_hz != 0) {
    double second_length = 0.0;
    const auto other = keying(random_words(r.seed + 1000, int(r.text.size())), r.wpm * 0.9, 0, 0,
                              0.0, random, second_length);
    add_tone(out, r.rate, other, r.tone_hz + r.second_offset_hz,
             amplitude * std::pow(10.0, r.second_db / 20.0));
  }
  if (std::isfinite(r.snr_db)) {
    // White over the whole band, with the given power in 2500 Hz of it.
    const double signal_power = amplitude * amplitude / 2.0;
    const double in_band = signal_power / std::pow(10.0, r.snr_db / 10.0);
    const double sigma = std::sqrt(in_band * (r.rate / 2.0) / 2500.0);
    for (float& s : out) s += float(sigma * normal(random));
  }
  return out;
}

std::string random_words(unsigned seed, int characters) {
  static constexpr char letters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::mt19937 random(seed);
  std::string text;
  while (int(text.size()) < characters) {
    if (!text.empty()) text += ' ';
    for (int n = 2 + pick(random, 6); n > 0; --n) text += letters[pick(random, sizeof letters - 1)];
  }
  return text;
}

double character_error_rate(const std::string& got, const std::string& want) {
  std::vector<std::size_t> row(got.size() + 1), next(got.size() + 1);
  for (std::size_t j = 0; j <= got.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= want.size(); ++i) {
    next[0] = i;
    for (std::size_t j = 1; j <= got.size(); ++j)
      next[j] = std::min({row[j] + 1, next[j - 1] + 1, row[j - 1] + (want[i - 1] != got[j - 1])});
    row.swap(next);
  }
  return want.empty() ? double(!got.empty()) : double(row[got.size()]) / double(want.size());
}
