#pragma once
// A low-pass FIR filter that keeps every n-th output: the first step after the
// input, so that everything later runs at a few kHz whatever the file's rate.

#include <cstddef>
#include <vector>

class Fir_Decimator {
 public:
  // Passes up to `pass_hz`, stops from `stop_hz` on (about 60 dB), at the
  // input rate `rate`. A factor of 1 passes the samples through unfiltered.
  Fir_Decimator(double rate, int factor, double pass_hz, double stop_hz);

  // Appends the outputs that `count` more input samples complete.
  void process(const float* in, std::size_t count, std::vector<float>& out);

 private:
  int factor_;
  std::vector<float> taps_;
  std::vector<float> history_;  // the last taps-1 inputs, then the current chunk
  std::size_t next_ = 0;        // where the next output's window starts in history_
};
