#include "listen/morse_listener.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// The narrowed stream: fast enough for a tone of 1500 Hz.
constexpr double narrowed_min_hz = 5000.0;
constexpr double pass_hz = 1550.0;
// The detector's rate: a few hundred samples a second.
constexpr double detector_hz = 500.0;
// Seconds of the narrowed stream looked at before the tone is chosen and the
// speed first judged, and the most kept while no tone is found.
constexpr double first_seconds = 3.0;
constexpr double waiting_seconds = 4.0;

int first_factor(double rate) { return std::max(1, static_cast<int>(rate / narrowed_min_hz)); }

}  // namespace

Morse_Listener::Morse_Listener(double sample_rate)
    : rate_(sample_rate / first_factor(sample_rate)),
      decimator_(sample_rate, first_factor(sample_rate), pass_hz,
                 sample_rate / first_factor(sample_rate) - pass_hz),
      finder_(rate_),
      detector_(1.0) {
  sum_length_ = std::max(1, static_cast<int>(std::lround(rate_ / detector_hz)));
  detector_rate_ = rate_ / sum_length_;
  detector_ = Key_Detector(detector_rate_);
}

void Morse_Listener::feed(const float* samples, std::size_t count) {
  narrowed_.clear();
  decimator_.process(samples, count, narrowed_);
  for (const float s : narrowed_) narrow(s);
}

void Morse_Listener::narrow(float sample) {
  // A broken file may hold infinities or not-a-numbers, which would poison
  // every sum after them.
  sample = std::isfinite(sample) ? std::clamp(sample, -1e4f, 1e4f) : 0.0f;
  if (started_) {
    if (const auto baseband = mix_down(sample)) to_detector(*baseband);
    if (finder_.push(sample)) {
      if (++since_normalised_ >= 4) {
        phase_ /= std::abs(phase_);
        since_normalised_ = 0;
      }
      const double hz = *finder_.tone();
      if (std::abs(hz - step_hz_) > 0.05) {
        step_hz_ = hz;
        step_ = std::polar(1.0, 2.0 * std::numbers::pi * hz / rate_);
      }
    }
    return;
  }
  waiting_.push_back(sample);
  if (!finder_.push(sample)) return;
  if (finder_.blocks() * Tone_Finder::block < first_seconds * rate_) return;
  if (const auto hz = finder_.strongest()) {
    start(*hz);
  } else if (finder_.blocks() * Tone_Finder::block >= waiting_seconds * rate_) {
    // Nothing clear yet: the oldest block had no tone worth keeping.
    waiting_.erase(waiting_.begin(), waiting_.begin() + Tone_Finder::block);
  }
}

void Morse_Listener::start(double hz) {
  finder_.lock(hz);
  started_ = true;
  step_hz_ = hz;
  step_ = std::polar(1.0, 2.0 * std::numbers::pi * hz / rate_);

  // The waiting stream mixed down in one go.
  std::vector<std::complex<float>> baseband;
  for (const float s : waiting_)
    if (const auto b = mix_down(s)) baseband.push_back(*b);
  phase_ /= std::abs(phase_);
  waiting_.clear();
  waiting_.shrink_to_fit();

  // A first look gives the speed the real filter is matched to. Too narrow a
  // filter lets noise in, too wide a one merges elements: either blurs the
  // two lengths of marks, so the narrowest width that shows dots and dashes
  // about as clearly as any, and elements longer than itself, wins. When none does (the first
  // seconds hold dots alone, say), the narrowest whose elements are clearly longer than it and
  // about as long as a filter twice as wide finds them.
  constexpr double widths[] = {0.01, 0.02, 0.04, 0.08};
  double found[4], clarity[4];
  for (int i = 0; i < 4; ++i) {
    Key_Detector probe(detector_rate_);
    probe.set_element(widths[i] / Key_Detector::width_share);
    probe.calibrate(baseband);
    std::vector<Key_Event> probe_events;
    for (const std::complex<float>& b : baseband) probe.push(b, probe_events);
    probe.finish(probe_events);
    found[i] = Timing_Decoder::shortest_element(probe_events, 1.2 * widths[i]);
    clarity[i] = Timing_Decoder::mark_clarity(probe_events, 1.2 * widths[i]);
  }
  double element = found[3];
  int chosen = -1;
  for (int i = 0; i < 4 && chosen < 0; ++i) {
    if (clarity[i] >= 3.5 && found[i] >= 1.3 * widths[i]) chosen = i;
  }
  for (int i = 0; i < 3 && chosen < 0; ++i) {
    if (found[i] >= 1.3 * widths[i] && std::abs(std::log(found[i + 1] / found[i])) < std::log(1.35))
      chosen = i;
  }
  if (chosen >= 0) element = found[chosen];
  first_element_ = element;
  detector_.set_element(element);
  detector_.calibrate(baseband);
  for (const std::complex<float>& b : baseband) to_detector(b);
}

std::optional<std::complex<float>> Morse_Listener::mix_down(float sample) {
  sum_ += std::complex<float>(float(sample * phase_.real()), float(-sample * phase_.imag()));
  phase_ *= step_;
  if (++summed_ < sum_length_) return std::nullopt;
  const std::complex<float> baseband = sum_ / float(sum_length_);
  sum_ = {};
  summed_ = 0;
  return baseband;
}

void Morse_Listener::to_detector(std::complex<float> baseband) {
  detector_.push(baseband, events_);
  if (events_.empty()) return;
  for (const Key_Event& e : events_) decoder_.push(e);
  events_.clear();
  // Noise that gets through a filter too narrow makes short marks, which
  // would narrow it further; so it stays within reach of the first look,
  // wide enough for a speed that doubles.
  if (decoder_.element_seconds() > 0.0)
    detector_.set_element(
        std::clamp(decoder_.element_seconds(), 0.5 * first_element_, 2.5 * first_element_));
}

void Morse_Listener::finish() {
  if (!started_) {
    finder_.pad_block();
    if (const auto hz = finder_.strongest()) start(*hz);
  }
  if (!started_) return;
  detector_.finish(events_);
  for (const Key_Event& e : events_) decoder_.push(e);
  events_.clear();
  decoder_.finish();
}
