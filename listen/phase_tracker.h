#pragma once
// Follows the phase of a keyed tone mixed down to about 0 Hz, so that its
// samples can be turned onto it and only their in-phase part weighed: noise
// at right angles to the tone is dropped, which halves the noise a mark is
// told from. A transmitter's oscillator runs on between elements, so the
// phase carries over the gaps; the remaining frequency offset is found from
// how the phase turns between samples further and further apart over the
// first seconds (weighted by their power, so the gaps count little), and
// then followed, with the phase, by a loop driven by the tone's phase during
// marks. Where the phase is not steady (a
// chirping transmitter, several signals at once) it reports so, and the
// caller keeps to the magnitude.

#include <complex>
#include <cstddef>
#include <numbers>
#include <vector>

class Phase_Tracker {
 public:
  explicit Phase_Tracker(double rate);

  // The offset and the levels from a stretch heard before, its first
  // seconds typically, and the phase at its start: the stretch itself is
  // turned next.
  void prime(const std::vector<std::complex<float>>& samples);
  // One sample turned onto the tone's phase: its real part is the tone's.
  std::complex<float> turn(std::complex<float> sample);
  // The offset followed, in Hz.
  double offset_hz() const { return (offset_ + drift_) * rate_ / (2.0 * std::numbers::pi); }
  // The mixer before has moved by `hz`: the offset left moves the other way.
  void retune(double hz);
  // Whether the phase has lately been held steadily through the marks.
  bool steady() const { return steady_; }
  // Whether the tone stands so little above the noise that weighing only
  // its in-phase part is worth the risk of a slip in a deep fade.
  bool weak() const { return quiet_ && spread_; }
  // Both: only the in-phase part is to be weighed.
  bool in_phase() const { return steady_ && weak(); }

 private:
  double rate_;
  double offset_ = 0.0;  // radians a sample
  double phase_ = 0.0;
  double drift_ = 0.0;  // the loop's own share of the offset
  double gain_, drift_gain_;
  std::complex<double> near_;  // the turned samples, lightly smoothed
  double near_weight_;
  double mark_level_ = 0.0;           // of |near_| in marks
  double noise_ = 0.0;                // mean |near_|² below marks, from 0
  double held_ = 0.0, judged_ = 0.0;  // cos of the phase error in marks, the same
  double judge_weight_;
  bool steady_ = false;
  bool quiet_ = false, spread_ = false;
};
