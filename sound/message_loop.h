#pragma once
// The window's message loop as the waits see it.

#include <chrono>

class Message_Loop {
 public:
  virtual ~Message_Loop() = default;
  // Handles every message already waiting, then returns.
  virtual void run_pending() = 0;
  // Blocks until a message arrives (and handles it) or `at_most` has passed.
  virtual void wait(std::chrono::microseconds at_most) = 0;
};
