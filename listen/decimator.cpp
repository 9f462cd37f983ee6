#include "listen/decimator.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {

double bessel_i0(double x) {
  double sum = 1.0;
  double term = 1.0;
  for (int k = 1; k < 40; ++k) {
    term *= (x / (2.0 * k)) * (x / (2.0 * k));
    sum += term;
    if (term < 1e-12 * sum) break;
  }
  return sum;
}

// Sums of four lanes at a time: each lane adds in order, so no sum is
// reordered, and the compiler keeps them in vector registers.
using Lanes = float __attribute__((vector_size(16)));

float dot(const float* a, const float* b, std::size_t n) {
  constexpr std::size_t width = sizeof(Lanes) / sizeof(float);
  Lanes even = {}, odd = {};
  std::size_t i = 0;
  for (; i + 2 * width <= n; i += 2 * width) {
    Lanes x, y, z, w;
    std::memcpy(&x, a + i, sizeof x);
    std::memcpy(&y, b + i, sizeof y);
    std::memcpy(&z, a + i + width, sizeof z);
    std::memcpy(&w, b + i + width, sizeof w);
    even += x * y;
    odd += z * w;
  }
  float sum = 0.0f;
  for (; i < n; ++i) sum += a[i] * b[i];
  for (std::size_t k = 0; k < width; ++k) sum += even[k] + odd[k];
  return sum;
}

}  // namespace

Fir_Decimator::Fir_Decimator(double rate, int factor, double pass_hz, double stop_hz)
    : factor_(std::max(factor, 1)) {
  if (factor_ == 1) return;
  // A Kaiser-windowed sinc: its length follows from the attenuation and the
  // width of the transition band.
  constexpr double attenuation_db = 50.0;
  const double beta = 0.1102 * (attenuation_db - 8.7);
  const double transition = 2.0 * std::numbers::pi * (stop_hz - pass_hz) / rate;
  const int length =
      std::max(3, static_cast<int>(std::ceil((attenuation_db - 8.0) / (2.285 * transition))) | 1);
  const double cutoff = (pass_hz + stop_hz) / 2.0 / rate;  // cycles per sample
  const double middle = (length - 1) / 2.0;
  taps_.resize(static_cast<std::size_t>(length));
  double sum = 0.0;
  for (int i = 0; i < length; ++i) {
    const double t = i - middle;
    const double sinc =
        t == 0.0 ? 2.0 * cutoff
                 : std::sin(2.0 * std::numbers::pi * cutoff * t) / (std::numbers::pi * t);
    const double r = t / middle;
    const double window = bessel_i0(beta * std::sqrt(std::max(0.0, 1.0 - r * r))) / bessel_i0(beta);
    taps_[static_cast<std::size_t>(i)] = static_cast<float>(sinc * window);
    sum += sinc * window;
  }
  for (float& t : taps_) t = static_cast<float>(t / sum);
  history_.assign(taps_.size() - 1, 0.0f);
}

void Fir_Decimator::process(const float* in, std::size_t count, std::vector<float>& out) {
  if (factor_ == 1) {
    out.insert(out.end(), in, in + count);
    return;
  }
  // In chunks, so that the history stays small however much comes at once.
  constexpr std::size_t chunk = 4096;
  const std::size_t n = taps_.size();
  while (count > 0) {
    const std::size_t take = std::min(count, chunk);
    history_.insert(history_.end(), in, in + take);
    in += take;
    count -= take;
    for (; next_ + n <= history_.size(); next_ += static_cast<std::size_t>(factor_))
      out.push_back(dot(taps_.data(), history_.data() + next_, n));
    history_.erase(history_.begin(), history_.begin() + static_cast<std::ptrdiff_t>(next_));
    next_ = 0;
  }
}
