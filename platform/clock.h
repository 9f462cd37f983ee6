#pragma once
// The time that every wait and every keying gap is measured with; tests put a
// fake in its place.

#include <chrono>
#include <memory>

class Clock {
 public:
  using Time = std::chrono::steady_clock::time_point;
  virtual ~Clock() = default;
  virtual Time now() = 0;
};

std::unique_ptr<Clock> make_system_clock();
