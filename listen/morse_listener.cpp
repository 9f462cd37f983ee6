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
// Seconds of the narrowed stream looked at before the tone is chosen, and
// the most kept while none is found.
constexpr int first_blocks = 16;
constexpr int waiting_blocks = 24;

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
  if (started_) {
    // The mixer, summed down to the detector's rate.
    const std::complex<double> p = phase_;
    sum_ += std::complex<float>(float(sample * p.real()), float(-sample * p.imag()));
    phase_ *= step_;
    if (++summed_ == sum_length_) {
      to_detector(sum_ / float(sum_length_));
      sum_ = {};
      summed_ = 0;
    }
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
  if (finder_.blocks() < first_blocks) return;
  if (const auto hz = finder_.strongest()) {
    start(*hz);
  } else if (finder_.blocks() >= waiting_blocks) {
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
  for (const float s : waiting_) {
    sum_ += std::complex<float>(float(s * phase_.real()), float(-s * phase_.imag()));
    phase_ *= step_;
    if (++summed_ == sum_length_) {
      baseband.push_back(sum_ / float(sum_length_));
      sum_ = {};
      summed_ = 0;
    }
  }
  phase_ /= std::abs(phase_);
  waiting_.clear();
  waiting_.shrink_to_fit();

  // A first look gives the speed the real filter is matched to. Too narrow a
  // filter lets noise in, which shows as elements hardly longer than the
  // filter; too wide a one merges elements. So the narrowest width wins whose
  // elements are clearly longer than it and about as long as a filter twice
  // as wide finds them.
  constexpr double widths[] = {0.01, 0.02, 0.04, 0.08};
  double found[4];
  for (int i = 0; i < 4; ++i) {
    Key_Detector probe(detector_rate_);
    probe.set_element(widths[i] / 0.7);
    probe.calibrate(baseband);
    std::vector<Key_Event> probe_events;
    for (const std::complex<float>& b : baseband) probe.push(b, probe_events);
    probe.finish(probe_events);
    found[i] = Timing_Decoder::shortest_element(probe_events);
  }
  double element = found[3];
  for (int i = 0; i < 3; ++i) {
    if (found[i] >= 1.3 * widths[i] &&
        std::abs(std::log(found[i + 1] / found[i])) < std::log(1.35)) {
      element = found[i];
      break;
    }
  }
  detector_.set_element(element);
  detector_.calibrate(baseband);
  for (const std::complex<float>& b : baseband) to_detector(b);
}

void Morse_Listener::to_detector(std::complex<float> baseband) {
  detector_.push(baseband, events_);
  if (events_.empty()) return;
  for (const Key_Event& e : events_) decoder_.push(e);
  events_.clear();
  if (decoder_.element_seconds() > 0.0) detector_.set_element(decoder_.element_seconds());
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
