#pragma once
// Listens to a recording of Morse code: mono samples at any rate in, Morse
// code out in the program's own form (each code followed by one space, three
// spaces between the codes of two words), ready for the Morse-to-text
// conversion. It decodes as it is fed and its memory does not grow with the
// length of the recording.
//
// The way: static crashes are silenced; a low-pass filter takes the input
// down to a few kHz; a peak of the spectrum is taken for the tone once its
// keying shows Morse timing, and followed, or left for another station's
// after a long silence; it is mixed down to 0 Hz and summed to a few hundred
// samples a second, and its phase followed, so that of a weak tone only the
// in-phase part is weighed; the key detector turns that into marks and spaces, and
// the timing decoder those into codes. Nothing is decoded before a keyed
// signal is found; the seconds heard while looking are decoded then.

#include <cmath>
#include <complex>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "listen/decimator.h"
#include "listen/impulse_blanker.h"
#include "listen/key_detector.h"
#include "listen/phase_tracker.h"
#include "listen/sequence_detector.h"
#include "listen/timing_decoder.h"
#include "listen/tone_finder.h"

class Morse_Listener {
 public:
  explicit Morse_Listener(double sample_rate);

  void feed(const float* samples, std::size_t count);
  // The recording has ended: decides everything still open.
  void finish();
  // The recording has stalled but goes on later: decides everything heard
  // so far as if a short silence followed, and takes the rest as new.
  void pause();

  // Listening live: each element is decided after `lookahead` later ones
  // rather than many, and all that is open once a silence has clearly ended
  // a word, so that a letter is shown soon after it was sent.
  void set_live(std::size_t lookahead) {
    live_lookahead_ = lookahead;
    decoder_.set_lookahead(lookahead);
  }

  // The Morse code decided since the last call.
  std::string take() {
    std::string taken;
    taken.swap(carried_);
    return taken + decoder_.take();
  }

  // The tone of the keyed signal being decoded, in Hz; none while none has
  // been found (so a recording that yields nothing can say why).
  std::optional<double> tone_hz() const {
    return started_ ? std::optional<double>(step_hz_) : std::nullopt;
  }
  // Its speed in words a minute (a dot of 1.2 s / WPM), from the elements
  // lately heard; 0 while unknown.
  double wpm() const {
    const double element = decoder_.latest_element_seconds() > 0
                               ? decoder_.latest_element_seconds()
                               : (started_ ? first_element_ : 0.0);
    return element > 0 ? 1.2 / element : 0.0;
  }

 private:
  void narrow_all();
  // Two peaks within a few bins of the finder are one tone, drifting.
  bool same_tone(double a, double b) const {
    return std::abs(a - b) < 3.0 * rate_ / Tone_Finder::block;
  }
  bool look_elsewhere();
  void since_silence();
  bool recheck_after_silence();
  void release();
  void restart(double hz, double element, const std::vector<std::complex<float>>& baseband);
  void recheck_speed();
  Sequence_Detector learned(const std::vector<std::complex<float>>& heard, bool coherent,
                            double element) const;
  std::optional<Sequence_Detector> weak_tone_detector(const std::vector<std::complex<float>>& heard,
                                                      bool coherent);
  double fit_element(const std::vector<std::complex<float>>& heard, bool coherent,
                     const Sequence_Detector& levels, double around, int steps, double margin,
                     double grid) const;
  void narrow(float sample);
  std::vector<std::complex<float>> mixed_at(double hz) const;
  bool probe_speed(const std::vector<std::complex<float>>& baseband, double& element,
                   double least_clarity = 3.5) const;
  std::vector<std::complex<float>> turned(const std::vector<std::complex<float>>& baseband,
                                          bool& coherent, Phase_Tracker* tracker = nullptr) const;
  void start(double hz, double element, const std::vector<std::complex<float>>& baseband);
  // The tone mixed down to 0 Hz and summed: a detector sample every
  // `sum_length_` narrowed samples.
  std::optional<std::complex<float>> mix_down(float sample);
  void to_detector(std::complex<float> baseband);
  void finish_detector();
  void decide_live();

  double input_rate_;
  double rate_;  // of the narrowed stream
  double detector_rate_;
  int sum_length_ = 1;   // narrowed samples to a detector sample
  int tries_every_ = 1;  // blocks between two looks for a keyed signal
  Impulse_Blanker blanker_;
  std::vector<float> blanked_;
  Fir_Decimator decimator_;
  Tone_Finder finder_;
  std::vector<float> narrowed_;
  std::vector<float> waiting_;  // the narrowed stream until the tone is found
  bool started_ = false;
  std::vector<float> recent_;  // the last seconds of the narrowed stream, a ring
  std::size_t recent_at_ = 0;
  std::size_t recent_held_ = 0;  // of it heard since the tone was found
  bool in_space_ = false;        // at the tone, after a mark
  long long silent_ = 0;         // detector samples since the last mark ended
  long long silence_limit_ = 1LL << 60;
  bool pending_ = false;           // after a long silence: events held back
  long long pending_samples_ = 0;  // narrowed samples since the silence began
  int pending_blocks_ = 0;         // looks since
  std::vector<Key_Event> held_;
  double last_other_ = 1.0;             // the other speed the last look confirmed, as an element
  double elsewhere_element_ = 1.0;      // the same at another tone
  std::string carried_;                 // decided before the decoder was started afresh
  std::optional<double> candidate_hz_;  // the clear peak of the last looks
  int candidate_tries_ = 0;

  std::complex<double> phase_{1.0, 0.0};
  std::complex<double> step_{1.0, 0.0};
  double step_hz_ = 0.0;
  std::complex<float> sum_{};
  int summed_ = 0;
  int since_normalised_ = 0;

  double first_element_ = 0.06;  // seconds, from the first look at the speed
  Phase_Tracker tracker_{1.0};
  Key_Detector detector_;
  // In place of the key detector when the tone is weak from the start.
  std::optional<Sequence_Detector> sequence_;
  int refits_ = 0;          // looks at a weak tone's speed since the start
  bool restarted_ = false;  // since a long silence, at another tone or speed
  Timing_Decoder decoder_;
  std::vector<Key_Event> events_;
  std::size_t live_lookahead_ = 0;  // 0: not live
  bool live_open_ = false;          // marks have come since all was last decided
};
