#include "listen/phase_tracker.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Samples this far apart show the offset unambiguously up to 60 Hz, well
// beyond the tone finder's error; each later lag is five times longer, and
// read within the last one's error.
constexpr double first_lag_seconds = 0.008;
constexpr int lag_steps = 3;
// The loop's noise bandwidth: narrow enough to average a weak tone's noise
// over several elements, wide enough for a slow drift of a few Hz a second.
constexpr double loop_hz = 2.0;
constexpr double damping = 0.707;
// The smoothing of the loop's measure of the phase.
constexpr double near_seconds = 0.01;
// How long the steadiness is judged over, and the mean cos of the phase
// error in marks above which the phase is taken as held (with some
// hysteresis: a weak tone's noise lowers it).
constexpr double judge_seconds = 3.0;
constexpr double steady_above = 0.45;
constexpr double steady_below = 0.35;
// When the tone is weak, its in-phase part alone is worth the risk of a
// slip: both the power of a mark against the noise below marks (as the loop
// sees them, about 3 dB in 500 Hz) and the spread of the phase in marks
// must say so, with some hysteresis. Either alone mistakes a fade or a noisy
// first stretch for a weak tone.
constexpr double quiet_below = 14.0;
constexpr double quiet_until = 17.0;
constexpr double spread_below = 0.9;
constexpr double spread_until = 0.96;

}  // namespace

Phase_Tracker::Phase_Tracker(double rate)
    : rate_(rate),
      near_weight_(std::min(1.0, 1.0 / (near_seconds * rate))),
      judge_weight_(1.0 / (judge_seconds * rate)) {
  const double natural = 2.0 * loop_hz / (damping + 1.0 / (4.0 * damping));
  gain_ = 2.0 * damping * natural / rate;
  drift_gain_ = (natural / rate) * (natural / rate);
}

void Phase_Tracker::retune(double hz) { offset_ -= 2.0 * std::numbers::pi * hz / rate_; }

void Phase_Tracker::prime(const std::vector<std::complex<float>>& samples) {
  double lag = std::max(1.0, std::round(first_lag_seconds * rate_));
  for (int step = 0; step < lag_steps && std::size_t(lag) < samples.size(); ++step, lag *= 5) {
    const auto l = static_cast<std::size_t>(lag);
    std::complex<double> turning{};
    for (std::size_t i = l; i < samples.size(); ++i)
      turning += std::complex<double>(samples[i]) * std::conj(std::complex<double>(samples[i - l]));
    if (!(std::norm(turning) > 0.0)) break;
    // The turn over this lag, within half a turn of what the offset so far
    // predicts.
    const double predicted = offset_ * lag;
    const double seen = std::arg(turning * std::polar(1.0, -predicted));
    offset_ = (predicted + seen) / lag;
  }
  // The mark level from the loudest tenth of the lightly smoothed samples.
  std::vector<double> levels;
  std::complex<double> near{};
  for (std::size_t i = 0; i < samples.size(); ++i) {
    near += near_weight_ * (std::complex<double>(samples[i]) - near);
    levels.push_back(std::sqrt(std::norm(near)));
  }
  if (!levels.empty()) {
    std::nth_element(levels.begin(), levels.begin() + levels.size() * 9 / 10, levels.end());
    mark_level_ = levels[levels.size() * 9 / 10];
  }
  // The phase at the stretch's start, as a steady offset would have it: the
  // stretch is then turned from its start.
  std::complex<double> first{};
  std::complex<double> back{1.0, 0.0};
  const std::complex<double> step = std::polar(1.0, -offset_);
  for (std::size_t i = 0; i < samples.size(); ++i) {
    first += std::complex<double>(samples[i]) * back;
    back *= step;
  }
  phase_ = std::norm(first) > 0.0 ? std::arg(first) : 0.0;
}

std::complex<float> Phase_Tracker::turn(std::complex<float> sample) {
  const std::complex<double> x(sample);
  const std::complex<double> turned = x * std::polar(1.0, -phase_);
  near_ += near_weight_ * (turned - near_);
  const double level = std::sqrt(std::norm(near_));
  // The phase error, weighed by how loud the sample is against a mark: the
  // gaps' noise moves the phase little.
  const double scale = mark_level_ > 0.0 ? mark_level_ : std::max(level, 1e-30);
  const double error = std::clamp(near_.imag() / scale, -1.0, 1.0);
  drift_ += drift_gain_ * error;
  phase_ = std::remainder(phase_ + offset_ + drift_ + gain_ * error, 2.0 * std::numbers::pi);
  if (level > 0.6 * mark_level_) {
    // A crash left by the blanker lifts it no more than a loud mark would.
    mark_level_ += 0.01 * (std::min(level, 2.0 * mark_level_) - mark_level_);
    held_ += judge_weight_ * (near_.real() / level - held_);
    judged_ += judge_weight_ * (1.0 - judged_);
  } else {
    // Slowly down, so that a fade or a loud first guess is left.
    mark_level_ -= 1e-4 * mark_level_;
    noise_ += judge_weight_ * (std::norm(near_) - noise_);
  }
  const double held = judged_ > 0.0 ? held_ / judged_ : 0.0;
  steady_ = steady_ ? held > steady_below : held > steady_above;
  // The noise starts from nothing and is judged over seconds: a tone is
  // taken as weak only once a few seconds of it say so, and a new station
  // starts with magnitudes alone.
  const double ratio = noise_ > 0.0 ? mark_level_ * mark_level_ / noise_ : 1e9;
  quiet_ = quiet_ ? ratio < quiet_until : ratio < quiet_below;
  spread_ = spread_ ? held < spread_until : held < spread_below;
  return std::complex<float>(turned);
}
