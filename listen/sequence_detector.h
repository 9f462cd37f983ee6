#pragma once
// Key-down and key-up from a weak tone mixed down to 0 Hz, decided over a
// sequence rather than sample by sample: the most likely run of marks and
// spaces given how loud each stretch is and how long Morse elements and gaps
// are (a dot or dash; an element, letter or word gap), found by a Viterbi
// search over their lengths. A noise blip too short for a dot, or a dip in
// a dash, does not fit and is not taken. Each stretch is decided some
// elements late, when the likely paths have joined.
//
// Lengths are counted on a grid of about an eighth of an element, so the
// search costs the same at every speed.

#include <complex>
#include <cstddef>
#include <vector>

#include "listen/key_detector.h"

class Sequence_Detector {
 public:
  // `rate`: samples a second; `element`: the dot's length in seconds;
  // `reference`: the element the grid of lengths and the sums of magnitudes
  // are made for, `element` unless given. Detectors whose scores are
  // compared must share it: a finer grid fits any keying more closely.
  Sequence_Detector(double rate, double element, double reference = 0.0);

  // The length a dot is expected to have lately, in seconds: within a third
  // and three times the first.
  void set_element(double seconds);
  // Elements a stretch is decided late: fewer decide sooner, from less.
  void set_lag(double elements);
  // The levels of marks and of the noise from a stretch of input (typically
  // its first seconds); they are followed in what is decided after.
  void calibrate(const std::vector<std::complex<float>>& samples);
  // A detector calibrated on `samples`.
  static Sequence_Detector calibrated(double rate, double element,
                                      const std::vector<std::complex<float>>& samples,
                                      double reference = 0.0) {
    Sequence_Detector detector(rate, element, reference);
    detector.calibrate(samples);
    return detector;
  }
  // The power of a mark against the noise's, as calibrated: about the
  // signal-to-noise ratio in the band the samples are summed to.
  double snr() const;
  // The levels another detector has learned from what it decided.
  void learn_levels(const Sequence_Detector& other) {
    mark_power_ = other.mark_power_;
    noise_ = other.noise_;
    noise_quarter_ = other.noise_quarter_;
  }

  // One sample; `coherent` when it is turned onto the tone's phase, so that
  // only its in-phase part is weighed (else its magnitude). Appends an event
  // whenever a mark or a space has been decided to have ended.
  void push(std::complex<float> sample, bool coherent, std::vector<Key_Event>& events);
  // Decides all that is left, as if silence followed.
  void finish(std::vector<Key_Event>& events);

  // Weighs every path rather than the best alone, and decides nothing:
  // score() is then the likelihood of all that was fed, and of two
  // detectors fed the same samples, the one whose element fits the keying
  // scores higher. (The best path alone favours a shorter element, whose
  // finer paths fit noise.)
  void sum_paths() { summing_ = true; }
  // The log-likelihood of the best path so far, or of all paths.
  double score() const;

 private:
  static constexpr int per_element = 8;
  double ratio(std::complex<float> sample, bool coherent);
  void step(std::vector<Key_Event>& events);
  void decide(long long until, std::vector<Key_Event>& events);
  void priors();
  std::size_t at(long long t) const { return static_cast<std::size_t>(t % ring_); }

  double rate_;
  int grid_ = 1;          // samples a grid step
  double first_steps_;    // a dot's length in steps at first
  double element_steps_;  // the same, lately
  int longest_mark_ = 1, longest_gap_ = 1, lag_ = 1;
  long long ring_ = 1;
  std::vector<double> mark_prior_, gap_prior_;  // log chance, by length in steps
  // Rings, by step: the log-likelihood ratios of key-down summed from the
  // start, the best score of a path whose mark or gap ends there and that
  // segment's length (-1: a gap out of silence), and the power heard.
  std::vector<double> prefix_, mark_end_, gap_end_, power_;
  std::vector<int> mark_length_, gap_length_;
  // The same for silence, and whether it was entered there (the length of
  // the gap that began it) or went on (-1).
  std::vector<double> silence_;
  std::vector<int> silence_length_;
  double stay_ = 0.0, begin_ = 0.0;  // log chances a step, in silence
  std::vector<double> terms_;        // the scores of the ways to a step, when summing
  std::vector<char> path_;           // the best path back, kept to spare an allocation a decision
  bool summing_ = false;
  double sum_ = 0.0;  // ratios of the step being filled
  int filled_ = 0;
  long long t_ = 0;        // steps completed
  long long decided_ = 0;  // steps decided
  bool key_ = false;       // the state last decided
  long long changed_ = 0;  // the step it began

  // The last samples, for a short sum about the one weighed: without the
  // tone's phase, a magnitude is only worth weighing over a stretch.
  std::vector<std::complex<float>> recent_;
  std::size_t recent_at_ = 0;
  std::complex<double> recent_sum_{};

  double mark_power_ = 0.0;     // mean |sample|² in marks, the tone's and the noise's
  double noise_ = 0.0;          // mean |sample|² in spaces: the noise's
  double noise_quarter_ = 0.0;  // the lower quartile of |sample|², whatever is decided
  bool tone_filled_ = false;    // the stretch calibrated on was nearly all tone
  double quartile_up_ = 1.0, quartile_down_ = 1.0;
};
