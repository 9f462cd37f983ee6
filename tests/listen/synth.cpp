#include "synth.h"

#include <algorithm>
#include <complex>
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

// The key-down spans of a text keyed from `start` on; `end` is where the
// last letter gap ends.
std::vector<Tone_Span> keying(const std::string& text, double wpm, double end_wpm,
                              double farnsworth_wpm, double jitter, std::mt19937& random,
                              double start, double& end) {
  TMorse_Code_Table table;
  Build_Morse_Code_Table(table, kAlphabet_English);
  const auto jittered = [&](double seconds) {
    return seconds * (1.0 + uniform(random, -jitter, jitter));
  };
  std::vector<Tone_Span> spans;
  double t = start;
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
  end = t;
  return spans;
}

// A biquad section (direct form I), from the usual cookbook formulas.
struct Biquad {
  double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;

  static Biquad pass(bool high, double hz, double q, double rate) {
    const double w = 2.0 * std::numbers::pi * hz / rate;
    const double alpha = std::sin(w) / (2.0 * q), c = std::cos(w);
    const double a0 = 1.0 + alpha;
    Biquad f;
    f.b1 = (high ? -(1.0 + c) : 1.0 - c) / a0;
    f.b0 = f.b2 = (high ? (1.0 + c) : 1.0 - c) / 2.0 / a0;
    f.a1 = -2.0 * c / a0;
    f.a2 = (1.0 - alpha) / a0;
    return f;
  }
  double run(double x) {
    const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1, x1 = x, y2 = y1, y1 = y;
    return y;
  }
  double power_gain(double hz, double rate) const {
    const std::complex<double> z = std::polar(1.0, -2.0 * std::numbers::pi * hz / rate);
    return std::norm((b0 + b1 * z + b2 * z * z) / (1.0 + a1 * z + a2 * z * z));
  }
};

// A receiver's filter: fourth-order Butterworth high and low passes.
std::vector<Biquad> receiver_filter(Receiver_Filter kind, double tone_hz, double rate) {
  if (kind == Receiver_Filter::none) return {};
  const double low = kind == Receiver_Filter::cw ? tone_hz - 250.0 : 300.0;
  const double high = std::min(kind == Receiver_Filter::cw ? tone_hz + 250.0 : 2700.0, 0.45 * rate);
  std::vector<Biquad> sections;
  for (const double q : {0.5412, 1.3066}) {
    if (low > 20.0) sections.push_back(Biquad::pass(true, low, q, rate));
    sections.push_back(Biquad::pass(false, high, q, rate));
  }
  return sections;
}

// The white noise power that leaves `power` in `band_hz` around `hz` after
// the filter, at `rate`.
double white_for(double power, const std::vector<Biquad>& filter, double hz, double band_hz,
                 double rate) {
  double gain = 0.0;  // the filter's power gain summed over the band, in Hz
  constexpr int steps = 400;
  for (int i = 0; i < steps; ++i) {
    const double f = hz - band_hz / 2.0 + band_hz * (i + 0.5) / steps;
    double g = f > 0.0 && f < rate / 2.0 ? 1.0 : 0.0;
    for (const Biquad& b : filter) g *= b.power_gain(f, rate);
    gain += g * band_hz / steps;
  }
  return power * (rate / 2.0) / std::max(gain, 1e-9);
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
  const double amplitude = 0.3;
  double end = 0.0;
  std::vector<Tone_Span> spans, other;
  if (!r.two_stations) {
    spans = keying(r.text, r.wpm, r.end_wpm, r.farnsworth_wpm, r.jitter, random, r.lead_in, end);
  } else {
    // Overs of two to six words, the stations in turn.
    std::vector<std::string> words;
    for (std::size_t at = 0; at < r.text.size();) {
      const std::size_t space = std::min(r.text.find(' ', at), r.text.size());
      words.push_back(r.text.substr(at, space - at));
      at = space + 1;
    }
    end = r.lead_in;
    bool first = true;
    for (std::size_t w = 0; w < words.size(); first = !first) {
      std::string over;
      for (int n = 2 + pick(random, 5); n > 0 && w < words.size(); --n)
        over += (over.empty() ? "" : " ") + words[w++];
      auto keyed = keying(over, first ? r.wpm : r.other_wpm, 0, 0, r.jitter, random, end, end);
      (first ? spans : other).insert((first ? spans : other).end(), keyed.begin(), keyed.end());
      end += uniform(random, 1.0, 3.0);
    }
  }
  std::vector<float> out(static_cast<std::size_t>((end + 0.5) * r.rate), 0.0f);
  add_tone(out, r.rate, spans, r.tone_hz, amplitude, r.tone_drift_hz);
  if (!other.empty())
    add_tone(out, r.rate, other, r.other_hz, amplitude * std::pow(10.0, r.other_db / 20.0));
  if (r.fade_db > 0) {
    for (std::size_t n = 0; n < out.size(); ++n) {
      const double t = double(n) / r.rate;
      const double depth_db =
          r.fade_db * (0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * r.fade_hz * t));
      out[n] *= float(std::pow(10.0, -depth_db / 20.0));
    }
  }
  if (r.second_offset_hz != 0) {
    double second_end = 0.0;
    const auto second = keying(random_words(r.seed + 1000, int(r.text.size())), r.wpm * 0.9, 0, 0,
                               0.0, random, 0.5, second_end);
    add_tone(out, r.rate, second, r.tone_hz + r.second_offset_hz,
             amplitude * std::pow(10.0, r.second_db / 20.0));
  }
  const double signal_power = amplitude * amplitude / 2.0;
  if (r.filter == Receiver_Filter::none && r.crashes_per_second <= 0.0) {
    if (std::isfinite(r.snr_db)) {
      // White over the whole band, with the given power in snr_band_hz of it.
      const double in_band = signal_power / std::pow(10.0, r.snr_db / 10.0);
      const double sigma = std::sqrt(in_band * (r.rate / 2.0) / r.snr_band_hz);
      for (float& s : out) s += float(sigma * normal(random));
    }
    return out;
  }
  // White noise and crashes through the receiver's filter, the power in
  // snr_band_hz around the tone measured after it.
  std::vector<Biquad> filter = receiver_filter(r.filter, r.tone_hz, r.rate);
  const auto sigma_for = [&](double db) {
    return std::sqrt(white_for(signal_power / std::pow(10.0, db / 10.0), filter, r.tone_hz,
                               r.snr_band_hz, r.rate));
  };
  std::vector<float> noise(out.size(), 0.0f);
  if (std::isfinite(r.snr_db)) {
    const double sigma = sigma_for(r.snr_db);
    for (float& s : noise) s = float(sigma * normal(random));
  }
  if (r.crashes_per_second > 0.0) {
    // Static crashes at random moments, each a burst of 1 to 20 ms that dies
    // away, 10 to 20 dB above the tone.
    for (double t = -std::log(uniform(random)) / r.crashes_per_second; t < end;
         t += -std::log(uniform(random)) / r.crashes_per_second) {
      const double length = uniform(random, 0.001, 0.02);
      const double sigma = sigma_for(-uniform(random, 10.0, 20.0));
      const auto from = static_cast<std::size_t>(t * r.rate);
      const auto count = static_cast<std::size_t>(length * r.rate);
      for (std::size_t n = 0; n < count && from + n < noise.size(); ++n)
        noise[from + n] +=
            float(sigma * std::exp(-2.0 * double(n) / double(count)) * normal(random));
    }
  }
  for (float& s : noise)
    for (Biquad& b : filter) s = float(b.run(s));
  for (std::size_t n = 0; n < out.size(); ++n) out[n] += noise[n];
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

std::string radio_words(unsigned seed, int characters) {
  std::mt19937 random(seed);
  const auto any = [&](std::initializer_list<const char*> list) {
    return std::string(list.begin()[pick(random, int(list.size()))]);
  };
  const auto call = [&] {
    static constexpr char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::string c = any({"K", "W", "N", "G", "F", "DL", "VE", "JA", "EA", "OH", "PA", "VK", "ON"});
    c += char('0' + pick(random, 10));
    for (int n = 1 + pick(random, 3); n > 0; --n) c += letters[pick(random, 26)];
    if (pick(random, 6) == 0) c += any({"/P", "/M", "/QRP", "/3"});
    return c;
  };
  const auto name = [&] {
    return any({"JOHN", "ANNA", "PETER", "MARIA", "BOB", "HANS", "YUKI", "PAUL", "ERIK", "SUE"});
  };
  const auto town = [&] {
    return any({"BOSTON", "LYON", "MUNICH", "OSAKA", "LEEDS", "MADRID", "OULU", "PERTH", "DELFT"});
  };
  const std::string me = call(), you = call();
  std::string text;
  while (int(text.size()) < characters) {
    std::string part;
    switch (pick(random, 9)) {
      case 0:
        part = "CQ CQ DE " + me + " " + me + " K";
        break;
      case 1:
        part = you + " DE " + me + " =";
        break;
      case 2:
        part = "UR RST " + any({"599", "579", "449", "5NN", "339"}) + " " +
               any({"599", "579", "449"}) + " =";
        break;
      case 3:
        part = "NAME IS " + name() + " " + name() + " =";
        break;
      case 4:
        part = "QTH " + town() + " " + town() + ".";
        break;
      case 5:
        part = "RIG " + any({"100W", "5W", "KW", "50W"}) + " ANT " +
               any({"DIPOLE", "YAGI", "VERT", "LOOP"}) + ", WX " + any({"SUNNY", "RAIN", "CLOUDY"});
        break;
      case 6:
        part = any({"HW CPY?", "PSE QSL VIA BURO.", "TNX FER CALL.", "QRZ?"});
        break;
      case 7:
        part = "73 ES GL " + you + " DE " + me + " TU";
        break;
      default:
        part = "TEMP " + std::to_string(pick(random, 35)) + "C, " + any({"OK", "FB", "R R"});
    }
    text += (text.empty() ? "" : " ") + part;
  }
  return text;
}
