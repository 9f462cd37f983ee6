#include "listen/tone_finder.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double lowest_hz = 200.0;
constexpr double highest_hz = 3000.0;
// How far above the median bin a peak must stand to be a tone.
constexpr double clear_ratio = 5.0;
// A weak tone stands clear only in a longer average, whose noise varies less.
constexpr double slow_blocks = 40.0;
constexpr double slow_clear_ratio = 3.0;

void fft(std::vector<std::complex<float>>& a, const std::vector<std::complex<float>>& twiddles) {
  const std::size_t n = a.size();
  for (std::size_t i = 1, j = 0; i < n; ++i) {
    std::size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (std::size_t len = 2; len <= n; len <<= 1) {
    const std::size_t step = n / len;
    for (std::size_t i = 0; i < n; i += len) {
      for (std::size_t k = 0; k < len / 2; ++k) {
        const std::complex<float> t = a[i + k + len / 2] * twiddles[k * step];
        a[i + k + len / 2] = a[i + k] - t;
        a[i + k] += t;
      }
    }
  }
}

}  // namespace

Tone_Finder::Tone_Finder(double rate)
    : rate_(rate),
      block_(block),
      window_(block),
      fft_(block),
      twiddles_(block / 2),
      average_(block / 2 + 1, 0.0),
      slow_(block / 2 + 1, 0.0) {
  for (int i = 0; i < block; ++i)
    window_[i] = static_cast<float>(0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * i / block));
  for (int k = 0; k < block / 2; ++k)
    twiddles_[k] = std::polar(1.0f, static_cast<float>(-2.0 * std::numbers::pi * k / block));
  const double bin_hz = rate / block;
  // A low rate holds tones up to a little below half of it.
  low_bin_ = std::max(1, static_cast<int>(std::floor(lowest_hz / bin_hz)));
  high_bin_ =
      std::min(static_cast<int>(0.45 * block), static_cast<int>(std::ceil(highest_hz / bin_hz)));
}

void Tone_Finder::pad_block() {
  if (filled_ == 0) return;
  std::fill(block_.begin() + filled_, block_.end(), 0.0f);
  filled_ = block;
  analyse();
}

void Tone_Finder::analyse() {
  filled_ = 0;
  for (int i = 0; i < block; ++i) fft_[i] = {block_[i] * window_[i], 0.0f};
  fft(fft_, twiddles_);
  // An even mean of the first ten blocks, then a moving one over about ten.
  ++blocks_;
  const double weight = std::max(1.0 / blocks_, 0.1);
  const double slow_weight = std::max(1.0 / blocks_, 1.0 / slow_blocks);
  for (int k = low_bin_ - 2; k <= high_bin_ + 2; ++k) {
    average_[k] += weight * (std::norm(fft_[k]) - average_[k]);
    slow_[k] += slow_weight * (std::norm(fft_[k]) - slow_[k]);
  }
  if (tone_) follow();
}

// The noise around `bin`: the median of the bins within a few hundred Hz of
// it, leaving out the peak itself. A receiver's filter shapes the noise, so
// the floor of the whole range would lie far below the noise beside a tone.
double Tone_Finder::median_power(int bin, const std::vector<double>& average) const {
  const int reach = std::max(8, static_cast<int>(300.0 * block / rate_));
  std::vector<double> around;
  for (int k = std::max(low_bin_, bin - reach); k <= std::min(high_bin_, bin + reach); ++k)
    if (std::abs(k - bin) > 2) around.push_back(average[k]);
  if (around.empty()) return 0.0;
  std::nth_element(around.begin(), around.begin() + around.size() / 2, around.end());
  return around[around.size() / 2];
}

// The local maximum within `reach` bins of `bin`, placed between bins by a
// parabola through the logarithms of its power and its neighbours'.
std::optional<double> Tone_Finder::peak_near(int bin, int reach,
                                             const std::vector<double>& average) const {
  const int from = std::max(low_bin_, bin - reach);
  const int to = std::min(high_bin_, bin + reach);
  if (from > to) return std::nullopt;
  int best = from;
  for (int k = from; k <= to; ++k)
    if (average[k] > average[best]) best = k;
  if (!(average[best] > 0.0)) return std::nullopt;
  const double a = std::log(average[best - 1] + 1e-30);
  const double b = std::log(average[best] + 1e-30);
  const double c = std::log(average[best + 1] + 1e-30);
  const double denominator = a - 2 * b + c;
  double offset = denominator < 0 ? 0.5 * (a - c) / denominator : 0.0;
  offset = std::isfinite(offset) ? std::clamp(offset, -0.5, 0.5) : 0.0;
  return (best + offset) * rate_ / block;
}

// That peak, when it stands `ratio` times above the noise around it.
std::optional<double> Tone_Finder::clear_peak_near(int bin, int reach,
                                                   const std::vector<double>& average,
                                                   double ratio) const {
  const std::optional<double> hz = peak_near(bin, reach, average);
  if (!hz) return std::nullopt;
  const int at = static_cast<int>(std::lround(*hz * block / rate_));
  if (!(average[at] > ratio * median_power(at, average))) return std::nullopt;
  return hz;
}

std::optional<double> Tone_Finder::strongest() const {
  // Too low a rate leaves no room for a tone.
  if (blocks_ == 0 || high_bin_ - low_bin_ < 4) return std::nullopt;
  const int middle = (low_bin_ + high_bin_) / 2;
  if (const auto hz = clear_peak_near(middle, high_bin_, average_, clear_ratio)) return hz;
  return clear_peak_near(middle, high_bin_, slow_, slow_clear_ratio);
}

void Tone_Finder::follow() {
  const int bin = static_cast<int>(std::lround(*tone_ * block / rate_));
  std::optional<double> near = clear_peak_near(bin, 2, average_, clear_ratio);
  if (!near) near = clear_peak_near(bin, 2, slow_, slow_clear_ratio);
  if (near) *tone_ += 0.3 * (*near - *tone_);
  // A much stronger tone elsewhere for a second or more: the tone locked
  // first was a weaker one, or the stronger started later.
  const std::optional<double> best = held_ ? std::nullopt : strongest();
  const int here = static_cast<int>(std::lround(*tone_ * block / rate_));
  if (best && std::abs(*best - *tone_) > 3.0 * rate_ / block) {
    const int best_bin = static_cast<int>(std::lround(*best * block / rate_));
    stronger_elsewhere_ = average_[best_bin] > 8.0 * average_[here] ? stronger_elsewhere_ + 1 : 0;
    if (stronger_elsewhere_ >= 8) {
      tone_ = best;
      stronger_elsewhere_ = 0;
    }
  } else {
    stronger_elsewhere_ = 0;
  }
}
