#include "listen/sequence_detector.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <numbers>

namespace {

constexpr double impossible = -1e300;
// The spread of an element's or gap's length about its class's, in the log:
// a weak signal's sender is usually a machine, and a tight spread is what
// keeps noise from being taken for a short element.
constexpr double spread = 0.18;
constexpr double word_spread = 0.3;
// The longest mark and the longest gap taken whole, in elements; a longer
// silence is a longest gap drawn out.
constexpr double longest_mark = 5.0;
constexpr double longest_gap = 10.0;
constexpr double most_lag = 16.0;
// How long a silence is expected to last, in elements.
constexpr double silence_elements = 20.0;
// How far the speed may move from the first, either way.
constexpr double speed_range = 3.0;
// How fast the levels follow what is decided, a share for every step.
constexpr double level_share = 0.02;
// The noise is also followed as the lower quartile of a sample's power,
// whatever is decided (moved by a share of itself a sample), and the noise
// learned from the decisions is held below twice what that gives. Else a
// louder station taken for noise would lift the noise to its marks, and be
// taken for noise for ever after.
constexpr double quartile_share = 0.01;
constexpr double noise_quantile = 0.25;
// An exponential's (one sample's power in Gaussian noise) lower quartile
// lies at this share of its mean.
constexpr double quartile_of_mean = 0.2877;
constexpr double noise_above_quartile = 2.0;
constexpr double tone_filled_quartile = 0.6;
// The stretch calibrated on may hold seconds of noise before the first
// letter: the marks are judged by the loudest fiftieth of it.
constexpr double mark_quantile = 0.98;

// Log of a log-normal density of `u` about `mean`.
double log_normal(double u, double mean, double s) {
  const double z = (std::log(u) - std::log(mean)) / s;
  return -0.5 * z * z - std::log(u * s * std::sqrt(2.0 * std::numbers::pi));
}

double log_mixture(std::initializer_list<double> logs) {
  double top = impossible;
  for (const double l : logs) top = std::max(top, l);
  double sum = 0.0;
  for (const double l : logs) sum += std::exp(l - top);
  return top + std::log(sum);
}

// e^x for x from -20 to 0, to a few parts in a million: enough for a sum
// of likelihoods, and several times faster than std::exp.
double quick_exp(double x) {
  const double y = x * std::numbers::log2e;
  const double whole = std::floor(y);
  const double f = (y - whole) * std::numbers::ln2;
  const double p =
      1.0 + f * (1.0 + f * (0.5 + f * (1.0 / 6 + f * (1.0 / 24 + f * (1.0 / 120 + f / 720)))));
  const auto scale = static_cast<std::uint64_t>(static_cast<std::int64_t>(whole) + 1023) << 52;
  return p * std::bit_cast<double>(scale);
}

// log I0(x), the modified Bessel function: the likelihood of a magnitude
// whatever the phase.
double log_bessel_i0(double x) {
  if (x < 3.75) {
    const double t = x * x / 4.0;
    return std::log1p(t * (1.0 + t / 4.0 * (1.0 + t / 9.0 * (1.0 + t / 16.0))));
  }
  return x - 0.5 * std::log(2.0 * std::numbers::pi * x) + std::log1p(1.0 / (8.0 * x));
}

}  // namespace

Sequence_Detector::Sequence_Detector(double rate, double element, double reference) : rate_(rate) {
  if (!(reference > 0.0)) reference = element;
  grid_ = std::max(1, static_cast<int>(std::lround(reference * rate / per_element)));
  first_steps_ = element_steps_ = element * rate / grid_;
  const double most_steps = speed_range * first_steps_;
  ring_ = static_cast<long long>(std::ceil((longest_gap + 2 * most_lag) * most_steps)) + 4;
  const auto size = static_cast<std::size_t>(ring_);
  prefix_.assign(size, 0.0);
  mark_end_.assign(size, impossible);
  gap_end_.assign(size, impossible);
  power_.assign(size, 0.0);
  mark_length_.assign(size, 0);
  gap_length_.assign(size, 0);
  silence_.assign(size, impossible);
  silence_length_.assign(size, 0);
  silence_[0] = 0.0;
  quartile_up_ = std::exp(quartile_share * noise_quantile);
  quartile_down_ = std::exp(-quartile_share * (1.0 - noise_quantile));
  recent_.assign(static_cast<std::size_t>(std::max(1L, std::lround(reference * rate / 2.0))) | 1,
                 {});
  set_lag(most_lag);
  priors();
}

void Sequence_Detector::set_lag(double elements) {
  lag_ = std::max(1, static_cast<int>(std::lround(std::min(elements, most_lag) * first_steps_)));
}

void Sequence_Detector::set_element(double seconds) {
  const double steps =
      std::clamp(seconds * rate_ / grid_, first_steps_ / speed_range, first_steps_ * speed_range);
  if (std::abs(steps - element_steps_) < 0.05 * element_steps_) return;
  element_steps_ = steps;
  priors();
}

void Sequence_Detector::priors() {
  longest_mark_ = static_cast<int>(std::ceil(longest_mark * element_steps_));
  longest_gap_ = static_cast<int>(std::ceil(longest_gap * element_steps_));
  mark_prior_.assign(static_cast<std::size_t>(longest_mark_) + 1, impossible);
  gap_prior_.assign(static_cast<std::size_t>(longest_gap_) + 1, impossible);
  // Densities over lengths in elements made chances of a length in steps:
  // a path of more segments pays for each, or noise would cut a long gap
  // into short ones.
  const double per_step = -std::log(element_steps_);
  const double begin_chance = 1.0 / (silence_elements * element_steps_);
  begin_ = std::log(begin_chance);
  stay_ = std::log1p(-begin_chance);
  for (int d = 1; d <= longest_mark_; ++d) {
    const double u = d / element_steps_;
    mark_prior_[static_cast<std::size_t>(d)] =
        per_step + log_mixture({std::log(0.55) + log_normal(u, 1.0, spread),
                                std::log(0.45) + log_normal(u, 3.0, spread)});
  }
  for (int d = 1; d <= longest_gap_; ++d) {
    const double u = d / element_steps_;
    gap_prior_[static_cast<std::size_t>(d)] =
        per_step + log_mixture({std::log(0.55) + log_normal(u, 1.0, spread),
                                std::log(0.33) + log_normal(u, 3.0, spread),
                                std::log(0.12) + log_normal(u, 7.0, word_spread)});
  }
}

void Sequence_Detector::calibrate(const std::vector<std::complex<float>>& samples) {
  if (samples.size() < 16) return;
  std::vector<double> powers;
  powers.reserve(samples.size());
  for (const std::complex<float>& s : samples) powers.push_back(std::norm(s));
  // The noise from the lowest quarter of the powers, which the marks of a
  // weak tone barely reach; the marks from the loudest of the powers of
  // short sums, which noise barely reaches.
  const auto quarter =
      powers.begin() + static_cast<std::ptrdiff_t>(double(powers.size()) * noise_quantile);
  std::nth_element(powers.begin(), quarter, powers.end());
  noise_quarter_ = *quarter;
  noise_ = noise_quarter_ / quartile_of_mean;
  // Where the tone fills most of the stretch, its lower quarter is tone, not
  // noise: the powers of noise alone spread far wider (the quartile lies
  // at 0.42 of the median), and the tone is then taken for a clear one.
  const auto half = powers.begin() + static_cast<std::ptrdiff_t>(powers.size() / 2);
  std::nth_element(quarter, half, powers.end());
  tone_filled_ = noise_quarter_ > tone_filled_quartile * *half;
  const std::size_t width = recent_.size();
  std::vector<double> sums;
  std::complex<double> sum{};
  for (std::size_t i = 0; i < samples.size(); ++i) {
    sum += std::complex<double>(samples[i]);
    if (i >= width) sum -= std::complex<double>(samples[i - width]);
    if (i + 1 >= width) sums.push_back(std::norm(sum) / double(width * width));
  }
  if (sums.empty()) return;
  const auto top = sums.begin() + static_cast<std::ptrdiff_t>(double(sums.size()) * mark_quantile);
  std::nth_element(sums.begin(), top, sums.end());
  // A mark's mean power: the tone's, and the noise's of one sample.
  mark_power_ = std::max(*top - noise_ / double(width), 0.0) + noise_;
}

double Sequence_Detector::score() const {
  const double mark = mark_end_[at(t_)], gap = std::max(gap_end_[at(t_)], silence_[at(t_)]);
  const double top = std::max(mark, gap);
  if (!summing_ || top <= impossible) return top;
  return top + std::log(std::exp(mark - top) + std::exp(gap - top));
}

double Sequence_Detector::snr() const {
  return noise_ > 0.0 && !tone_filled_ ? (mark_power_ - noise_) / noise_ : INFINITY;
}

double Sequence_Detector::ratio(std::complex<float> sample, bool coherent) {
  // The sample weighed is the one in the middle of the recent ones, so that
  // both ways of weighing see the same moment.
  const std::size_t width = recent_.size();
  recent_sum_ += std::complex<double>(sample) - std::complex<double>(recent_[recent_at_]);
  recent_[recent_at_] = sample;
  recent_at_ = (recent_at_ + 1) % width;
  const std::complex<double> middle(recent_[(recent_at_ + width / 2) % width]);
  const double power = std::norm(middle);
  power_[at(t_ + 1)] += power;
  noise_quarter_ *= power < noise_quarter_ ? quartile_down_ : quartile_up_;
  // A clean recording has next to no noise: a floor keeps the ratios finite.
  const double noise =
      std::max(std::min(noise_, noise_above_quartile * noise_quarter_ / quartile_of_mean),
               1e-4 * mark_power_ + 1e-30);
  const double a = std::sqrt(std::max(mark_power_ - noise, 0.05 * noise));
  // Gaussian noise of variance `noise` over both parts: the in-phase part
  // alone holds half of it.
  if (coherent) return (2.0 * a * middle.real() - a * a) / noise;
  // Without the phase, the ratio of the short sum about it (whose noise is
  // `width` times smaller against its mean), shared among its samples.
  const double n = double(width);
  const double mean = std::abs(recent_sum_) / n;
  return (log_bessel_i0(2.0 * a * mean * n / noise) - n * a * a / noise) / n;
}

void Sequence_Detector::push(std::complex<float> sample, bool coherent,
                             std::vector<Key_Event>& events) {
  sum_ += ratio(sample, coherent);
  if (++filled_ < grid_) return;
  step(events);
}

void Sequence_Detector::step(std::vector<Key_Event>& events) {
  const long long t = t_ + 1;
  prefix_[at(t)] = prefix_[at(t_)] + sum_;
  sum_ = 0.0;
  filled_ = 0;
  t_ = t;
  const double here = prefix_[at(t)];
  double best_mark = impossible, best_gap = impossible;
  int mark_length = 0, gap_length = 0;
  // Summing, the scores of every way here are kept, to be added once their
  // top is known; those far below it add nothing worth an exponential.
  const auto sum_of = [this](double best, std::size_t from, std::size_t to) {
    double sum = 0.0;
    for (std::size_t k = from; k < to; ++k)
      if (terms_[k] > best - 20.0) sum += quick_exp(terms_[k] - best);
    return best + std::log(sum);
  };
  terms_.clear();
  for (int d = 1; d <= longest_mark_ && d <= t; ++d) {
    const double v = gap_end_[at(t - d)] + (here - prefix_[at(t - d)]) +
                     mark_prior_[static_cast<std::size_t>(d)];
    if (summing_) terms_.push_back(v);
    if (v > best_mark) best_mark = v, mark_length = d;
  }
  const std::size_t gaps_from = terms_.size();
  for (int d = 1; d <= longest_gap_ && d <= t; ++d) {
    const double v = mark_end_[at(t - d)] + gap_prior_[static_cast<std::size_t>(d)];
    if (summing_) terms_.push_back(v);
    if (v > best_gap) best_gap = v, gap_length = d;
  }
  // Silence: a gap longer than any taken whole, and the silence before the
  // first mark, goes on a step at a time, and a mark begins from it at a
  // small chance a step; without that cost, a long silence would offer
  // every step as a free start, and noise would be taken for marks.
  double silence = silence_[at(t - 1)] + stay_;
  int silence_length = -1;
  if (t >= longest_gap_) {
    const double v =
        mark_end_[at(t - longest_gap_)] + gap_prior_[static_cast<std::size_t>(longest_gap_)];
    const double top = std::max(silence, v);
    if (summing_)
      silence = top + std::log(std::exp(std::min(silence, v) - top) + 1.0);
    else if (v > silence)
      silence = v, silence_length = longest_gap_;
  }
  silence_[at(t)] = silence;
  silence_length_[at(t)] = silence_length;
  {
    const double v = silence + begin_;
    if (summing_) terms_.push_back(v);
    if (v > best_gap) best_gap = v, gap_length = -1;
  }
  if (summing_) {
    if (best_mark > impossible) best_mark = sum_of(best_mark, 0, gaps_from);
    if (best_gap > impossible) best_gap = sum_of(best_gap, gaps_from, terms_.size());
  }
  mark_end_[at(t)] = best_mark;
  gap_end_[at(t)] = best_gap;
  mark_length_[at(t)] = mark_length;
  gap_length_[at(t)] = gap_length;
  power_[at(t + 1)] = 0.0;
  // Summing, nothing is decided, and the levels stay as calibrated, alike
  // for every detector compared.
  if (!summing_ && t - decided_ >= lag_ + std::max(1, lag_ / 4)) decide(t - lag_, events);
}

void Sequence_Detector::decide(long long until, std::vector<Key_Event>& events) {
  // The best path back from now to the first step not yet decided.
  std::vector<char>& path = path_;
  path.assign(static_cast<std::size_t>(t_ - decided_), 0);
  long long t = t_;
  enum { in_mark, in_gap, in_silence } state = in_silence;
  if (mark_end_[at(t)] > std::max(gap_end_[at(t)], silence_[at(t)]))
    state = in_mark;
  else if (gap_end_[at(t)] > silence_[at(t)])
    state = in_gap;
  while (t > decided_) {
    int d = 0;
    if (state == in_mark) {
      d = mark_length_[at(t)];
    } else if (state == in_gap) {
      d = gap_length_[at(t)];
      if (d < 0) {
        state = in_silence;
        continue;
      }
    } else {
      d = silence_length_[at(t)];
      if (d < 0)
        d = 1;
      else
        state = in_gap;
    }
    if (d == 0) break;
    const long long from = t - d;
    for (long long k = std::max(from, decided_) + 1; k <= t; ++k)
      path[static_cast<std::size_t>(k - decided_ - 1)] = state == in_mark;
    t = from;
    if (state == in_mark)
      state = in_gap;
    else if (state == in_gap)
      state = in_mark;
  }
  for (long long k = decided_ + 1; k <= until; ++k) {
    const bool key = path[static_cast<std::size_t>(k - decided_ - 1)] != 0;
    const double power = power_[at(k)] / grid_;
    if (key)
      mark_power_ += level_share * (power - mark_power_);
    else
      noise_ += level_share * (power - noise_);
    if (key != key_) {
      events.push_back({key_, double((k - 1 - changed_) * grid_) / rate_});
      changed_ = k - 1;
      key_ = key;
    }
  }
  decided_ = std::max(decided_, until);
}

void Sequence_Detector::finish(std::vector<Key_Event>& events) {
  // The samples still in the short sum, then the step begun.
  for (std::size_t rest = recent_.size() / 2; rest > 0; --rest) push({}, true, events);
  if (filled_ > 0)
    for (int rest = grid_ - filled_; rest > 0; --rest) push({}, true, events);
  decide(t_, events);
  events.push_back({key_, double((t_ - changed_) * grid_) / rate_});
  changed_ = t_;
}
