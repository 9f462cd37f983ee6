#pragma once
// A clock that moves only when told to.

#include <chrono>

#include "platform/clock.h"

class Fake_Clock final : public Clock {
 public:
  Time now() override { return now_; }
  void advance(std::chrono::microseconds by) { now_ += by; }
  // Milliseconds since the fake clock's start.
  double elapsed_ms() const {
    return std::chrono::duration<double, std::milli>(now_ - start_).count();
  }

 private:
  Time start_ = Time{} + std::chrono::hours(1);
  Time now_ = start_;
};
