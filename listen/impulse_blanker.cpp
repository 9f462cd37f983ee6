#include "listen/impulse_blanker.h"

#include <algorithm>
#include <cmath>

namespace {

// How far above the level a crash stands (in power: 8 dB).
constexpr double loud_ratio = 6.3;
constexpr double longest_seconds = 0.022;
constexpr double margin_seconds = 0.0015;

}  // namespace

Impulse_Blanker::Impulse_Blanker(double rate)
    : short_share_(1.0 / std::max(1.0, 0.0005 * rate)),
      attack_share_(1.0 / std::max(1.0, 0.05 * rate)),
      decay_share_(1.0 / std::max(1.0, 3.0 * rate)),
      longest_(static_cast<std::size_t>(longest_seconds * rate) + 1),
      margin_(static_cast<std::size_t>(margin_seconds * rate) + 1) {
  delay_.assign(longest_ + 2 * margin_ + 1, 0.0f);
}

void Impulse_Blanker::process(const float* in, std::size_t count, std::vector<float>& out) {
  for (std::size_t i = 0; i < count; ++i) step(in[i], out);
}

void Impulse_Blanker::step(float sample, std::vector<float>& out) {
  // A broken file may hold infinities or not-a-numbers, which would poison
  // every level after them.
  sample = std::isfinite(sample) ? std::clamp(sample, -1e4f, 1e4f) : 0.0f;
  short_power_ += short_share_ * (double(sample) * sample - short_power_);
  const bool loud = level_ > 0.0 && short_power_ > loud_ratio * level_;
  if (loud) {
    ++loud_;
    if (loud_ > longest_) level_ = short_power_;  // no crash: a louder signal
  } else {
    if (loud_ > 0 && loud_ <= longest_) {
      // A crash's power dips now and then: pieces close together are one.
      const long long from = written_ - static_cast<long long>(loud_ + margin_);
      if (blank_to_ < written_ - static_cast<long long>(held_)) blank_from_ = from;
      blank_to_ = written_ + static_cast<long long>(margin_);
    }
    loud_ = 0;
    level_ += (short_power_ > level_ ? attack_share_ : decay_share_) * (short_power_ - level_);
  }
  // The oldest sample leaves, silenced if it lies in a crash.
  if (held_ == delay_.size()) {
    const long long oldest = written_ - static_cast<long long>(delay_.size());
    const float leaving = delay_[at_];
    out.push_back(oldest >= blank_from_ && oldest <= blank_to_ ? 0.0f : leaving);
  } else {
    ++held_;
  }
  delay_[at_] = sample;
  at_ = (at_ + 1) % delay_.size();
  ++written_;
}

void Impulse_Blanker::flush(std::vector<float>& out) {
  const std::size_t size = delay_.size();
  for (std::size_t k = 0; k < held_; ++k) {
    const std::size_t index = (at_ + size - held_ + k) % size;
    const long long when = written_ - static_cast<long long>(held_ - k);
    out.push_back(when >= blank_from_ && when <= blank_to_ ? 0.0f : delay_[index]);
  }
  held_ = 0;
}
