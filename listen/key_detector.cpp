#include "listen/key_detector.h"

#include <algorithm>
#include <cmath>

namespace {

// The longest filter, in samples: an element of 5 WPM at 500 Hz and more.
constexpr std::size_t ring_size = 512;
// Where the threshold lies between the space and mark levels, and the
// hysteresis either side of it. On the in-phase part alone, noise no longer
// lifts the level of a gap, and the threshold moves up past the middle.
constexpr double threshold_at = 0.45;
constexpr double coherent_threshold_at = 0.55;
constexpr double hysteresis = 0.06;
// How fast the levels follow (fading of 15 dB at 0.2 Hz changes the level by
// up to 10 dB a second).
constexpr double mark_seconds = 0.08;
constexpr double space_seconds = 0.2;
// How long after the last mark the mark level still follows.
constexpr double silence_seconds = 1.0;

}  // namespace

Key_Detector::Key_Detector(double rate) : rate_(rate), ring_(ring_size) { set_element(0.01); }

void Key_Detector::set_element(double seconds) {
  const double width = std::clamp(width_share * seconds * rate_, 1.0, double(ring_size - 1));
  const auto w = static_cast<std::size_t>(std::lround(width));
  if (w != width_) {
    width_ = w;
    resum();
  }
  glitch_ = static_cast<std::size_t>(std::max(1L, std::lround(0.3 * seconds * rate_)));
}

void Key_Detector::resum() {
  sum_ = 0.0;
  for (std::size_t i = 1; i <= width_; ++i)
    sum_ += std::complex<double>(ring_[(at_ + ring_size - i) % ring_size]);
  since_resum_ = 0;
}

double Key_Detector::envelope(std::complex<float> sample) {
  sum_ += std::complex<double>(sample) -
          std::complex<double>(ring_[(at_ + ring_size - width_) % ring_size]);
  ring_[at_] = sample;
  at_ = (at_ + 1) % ring_size;
  // The running sum drifts by rounding; a fresh one now and then stops that.
  if (++since_resum_ >= 4096) resum();
  if (coherent_) return std::max(0.0, sum_.real()) / double(width_);
  // The sum stays far from overflow: a plain root is enough, and much faster
  // than std::abs's careful one.
  return std::sqrt(std::norm(sum_)) / double(width_);
}

void Key_Detector::calibrate(const std::vector<std::complex<float>>& samples) {
  Key_Detector probe(rate_);
  probe.width_ = width_;
  probe.coherent_ = coherent_;
  std::vector<double> levels;
  levels.reserve(samples.size());
  for (const std::complex<float>& s : samples) levels.push_back(probe.envelope(s));
  if (levels.size() < 8) return;
  // Order statistics by selection: a sort of every level costs more than the
  // rest of a look at the speed.
  const auto nth = [&levels](std::size_t n) {
    std::nth_element(levels.begin(), levels.begin() + static_cast<std::ptrdiff_t>(n), levels.end());
    return levels[n];
  };
  mark_level_ = nth(levels.size() * 19 / 20);
  // The space level from the levels well below the marks. In a short stretch
  // that is nearly all tone, a tenth of all the levels reaches up the filter's
  // slopes, and the floor that marks are held above would rise past the marks.
  const auto low = static_cast<std::size_t>(std::count_if(
      levels.begin(), levels.end(), [this](double v) { return v < 0.5 * mark_level_; }));
  space_level_ = nth(low >= 8 ? low / 5 : levels.size() / 10);
  calibrated_ = mark_level_ > space_level_;
}

void Key_Detector::push(std::complex<float> sample, std::vector<Key_Event>& events) {
  const double e = envelope(sample);
  ++time_;
  if (!calibrated_) {
    // Nothing to go on yet: the first sound sets the mark level.
    if (e <= 0.0) return;
    mark_level_ = e;
    space_level_ = 0.0;
    calibrated_ = true;
  }
  const double span = mark_level_ - space_level_;
  const double threshold = space_level_ + (coherent_ ? coherent_threshold_at : threshold_at) * span;
  const bool above = e > threshold + (key_ ? -hysteresis : hysteresis) * span;
  // The space level from the lower quarter only: the slopes of the filtered
  // marks around short gaps would otherwise lift it, and the threshold with it.
  // In a long silence a noise peak that crosses the threshold would pull the
  // mark level down, and the threshold with it, until noise makes marks: the
  // level moves only while marks are being heard (a fading signal's too).
  since_mark_ = key_ ? 0 : since_mark_ + 1;
  if (e > threshold && since_mark_ < static_cast<long long>(silence_seconds * rate_)) {
    mark_level_ += (e - mark_level_) / (mark_seconds * rate_);
  } else if (e < space_level_ + 0.25 * span) {
    space_level_ += (e - space_level_) / (space_seconds * rate_);
  }
  // A mark level near the space level would take noise for marks.
  if (mark_level_ < 4.0 * space_level_) mark_level_ = 4.0 * space_level_;

  if (above == key_) {
    differing_ = 0;
    return;
  }
  if (++differing_ < glitch_) return;
  // The change began when the samples first disagreed.
  const long long at = time_ - static_cast<long long>(differing_);
  events.push_back({key_, double(at - changed_at_) / rate_});
  changed_at_ = at;
  key_ = above;
  differing_ = 0;
}

void Key_Detector::finish(std::vector<Key_Event>& events) {
  for (std::size_t i = 0; i < width_ + glitch_ + 1; ++i) push({}, events);
  events.push_back({key_, double(time_ - changed_at_) / rate_});
  changed_at_ = time_;
}
