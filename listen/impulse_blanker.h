#pragma once
// Silences static crashes in the wideband input, before any narrow filter
// can stretch them into something as long as a dot: a stretch far louder
// than the level heard lately, and short (up to some 20 ms), is replaced by
// silence. A louder signal that lasts, a stronger station or the first mark
// after a long silence, is longer than any crash and passes; it becomes the
// new level. The output lags the input by the longest crash, which is how a
// stretch is known to be short before it is let through.

#include <cstddef>
#include <vector>

class Impulse_Blanker {
 public:
  explicit Impulse_Blanker(double rate);

  // Appends the samples that `count` more input samples let out.
  void process(const float* in, std::size_t count, std::vector<float>& out);
  // Lets out the samples still held back.
  void flush(std::vector<float>& out);

 private:
  std::vector<float> delay_;    // the last samples, a ring
  std::size_t at_ = 0;          // where the next sample goes, and the oldest comes from
  std::size_t held_ = 0;        // samples in the ring
  double short_power_ = 0.0;    // over about half a millisecond
  double level_ = 0.0;          // the power heard lately, crashes left out
  std::size_t held_level_ = 0;  // samples the level has been kept from rising
  double short_share_, attack_share_, decay_share_;
  std::size_t longest_;                        // the longest stretch taken for a crash, in samples
  std::size_t margin_;                         // silenced either side of it: its rise and fall
  std::size_t loud_ = 0;                       // loud samples in a row so far
  std::size_t tail_ = 0;                       // samples the last crash's tail may still last
  long long written_ = 0;                      // samples taken in
  long long blank_from_ = -1, blank_to_ = -1;  // the latest stretch to silence
};
