#pragma once
// Key-down and key-up from the tone mixed down to 0 Hz: a moving sum over
// about one element (the filter matched to a keyed element, narrow enough to
// keep the noise and a neighbouring signal out), its magnitude compared with
// a threshold between the tracked mark and space levels, with hysteresis, and
// changes shorter than a fraction of an element ignored.

#include <complex>
#include <cstddef>
#include <vector>

struct Key_Event {
  bool mark = false;  // key down; else key up
  double seconds = 0.0;
};

class Key_Detector {
 public:
  explicit Key_Detector(double rate);

  // The filter's width against the shortest element: narrower lets in more
  // noise, wider blurs the gaps that hand keying shortens.
  static constexpr double width_share = 0.85;

  // The shortest element (dot or element gap) expected, in seconds: sets the
  // width of the filter and the shortest change taken.
  void set_element(double seconds);
  // Samples turned onto the tone's phase: only their real part is weighed,
  // which leaves out half the noise.
  void set_coherent(bool coherent) { coherent_ = coherent; }
  // Starting levels from a stretch of input (typically its first seconds).
  void calibrate(const std::vector<std::complex<float>>& samples);

  // One sample; appends an event whenever a mark or a space has ended.
  void push(std::complex<float> sample, std::vector<Key_Event>& events);
  // Lets the filter run out on silence and ends the last mark or space.
  void finish(std::vector<Key_Event>& events);

 private:
  double envelope(std::complex<float> sample);
  void resum();

  double rate_;
  std::vector<std::complex<float>> ring_;  // the last samples, for the moving sum
  std::size_t at_ = 0;
  std::size_t width_ = 1;
  std::size_t since_resum_ = 0;
  std::complex<double> sum_;
  std::size_t glitch_ = 1;  // samples a change must last to be taken

  bool coherent_ = false;
  double mark_level_ = 0.0;
  double space_level_ = 0.0;
  bool calibrated_ = false;

  bool key_ = false;                  // the state taken
  long long since_mark_ = 1LL << 40;  // samples since a mark was last taken
  std::size_t differing_ = 0;         // samples in a row that disagree with it
  long long time_ = 0;                // samples so far
  long long changed_at_ = 0;          // when the state taken began
};
