#include "listen/impulse_blanker.h"

#include <algorithm>
#include <cmath>

namespace {

// How far above the level a crash stands (in power: 8 dB).
constexpr double loud_ratio = 6.3;
// How far above the level the tail of a crash is still taken for part of it.
constexpr double tail_ratio = 3.0;
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
  // The state in locals for the loop: kept in members, every level would go
  // through memory at every sample, which costs more than the rest together.
  double short_power = short_power_, level = level_;
  std::size_t held_level = held_level_;
  std::size_t at = at_, held = held_, loud_run = loud_, tail = tail_;
  long long written = written_, blank_from = blank_from_, blank_to = blank_to_;
  const double short_keep = 1.0 - short_share_;
  const std::size_t size = delay_.size();
  float* const ring = delay_.data();
  const std::size_t start = out.size();
  out.resize(start + count);
  float* to = out.data() + start;
  for (std::size_t i = 0; i < count; ++i) {
    // A broken file may hold infinities or not-a-numbers, which would poison
    // every level after them.
    const float sample = std::isfinite(in[i]) ? std::clamp(in[i], -1e4f, 1e4f) : 0.0f;
    // Kept as one multiply and one add from one sample to the next.
    short_power = short_power * short_keep + short_share_ * (double(sample) * sample);
    const bool loud = level > 0.0 && short_power > loud_ratio * level;
    if (loud) {
      ++loud_run;
      if (loud_run > longest_) level = short_power;  // no crash: a louder signal
    } else {
      if (loud_run > 0 && loud_run <= longest_) {
        // A crash's power dips now and then: pieces close together are one.
        const long long from = written - static_cast<long long>(loud_run + margin_);
        if (blank_to < written - static_cast<long long>(held)) blank_from = from;
        blank_to = written + static_cast<long long>(margin_);
        tail = std::min(longest_, 2 * loud_run);
      }
      loud_run = 0;
      if (tail == 0 && written > blank_to) {
        // The usual case, no crash near: the level follows.
        held_level = 0;
        level += (short_power > level ? attack_share_ : decay_share_) * (short_power - level);
      } else if (tail > 0 && short_power > tail_ratio * level) {
        // A crash dies away: its tail, still well above the level, would
        // pass the narrow filter as a dot.
        --tail;
        blank_to = written + static_cast<long long>(margin_);
      } else {
        tail = 0;
        // Not lifted by what comes between the loud pieces of a crash, and
        // for no longer than a crash lasts: a louder signal cut into pieces
        // by its own ripple must lift it.
        const bool near_crash = written <= blank_to;
        held_level = near_crash && short_power > level ? held_level + 1 : 0;
        if (held_level == 0 || held_level > longest_)
          level += (short_power > level ? attack_share_ : decay_share_) * (short_power - level);
      }
    }
    // The oldest sample leaves, silenced if it lies in a crash.
    if (held == size) {
      const long long oldest = written - static_cast<long long>(size);
      *to++ = oldest >= blank_from && oldest <= blank_to ? 0.0f : ring[at];
    } else {
      ++held;
    }
    ring[at] = sample;
    if (++at == size) at = 0;
    ++written;
  }
  out.resize(static_cast<std::size_t>(to - out.data()));
  short_power_ = short_power, level_ = level;
  held_level_ = held_level;
  at_ = at, held_ = held, loud_ = loud_run, tail_ = tail;
  written_ = written, blank_from_ = blank_from, blank_to_ = blank_to;
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
