#pragma once
// Recordings of Morse code made to order for the listening tests and the
// benchmark: keyed tone with standard or Farnsworth timing, a speed drift,
// hand-keying jitter, slow fading, noise of a given signal-to-noise ratio
// (white, or shaped by a receiver's CW or SSB filter), seconds of noise
// before the first letter, static crashes, a second, weaker signal nearby,
// and two stations taking turns. Every random choice comes from the seed.

#include <cmath>
#include <string>
#include <vector>

enum class Receiver_Filter {
  none,  // white over the whole band
  cw,    // 500 Hz wide around the tone
  ssb,   // 300 to 2700 Hz
};

struct Synth_Recording {
  std::string text;  // upper-case words with single spaces
  int rate = 8000;
  double tone_hz = 700.0;
  double tone_drift_hz = 0.0;  // how far the tone has moved at the end
  double wpm = 20.0;
  double farnsworth_wpm = 0.0;  // the overall speed when below wpm; 0: none
  double end_wpm = 0.0;         // the speed at the end, reached linearly; 0: no drift
  double snr_db = INFINITY;     // tone power to noise power in snr_band_hz
  double snr_band_hz = 2500.0;  // around the tone
  Receiver_Filter filter = Receiver_Filter::none;  // what shapes the noise
  double lead_in = 0.5;                            // seconds before the first letter
  double crashes_per_second = 0.0;  // static: 1-20 ms bursts, 10-20 dB above the tone
  double jitter = 0.0;              // each element and gap off by up to this share
  double fade_db = 0.0;             // fading depth, at fade_hz
  double fade_hz = 0.2;
  double second_offset_hz = 0.0;  // a second signal this far above the tone; 0: none
  double second_db = -10.0;       // its level against the first
  // Two stations taking turns: overs of a few words each, 1 to 3 s apart, the
  // other station at this tone and speed and this level against the first.
  bool two_stations = false;
  double other_hz = 720.0;
  double other_wpm = 26.0;
  double other_db = -6.0;
  unsigned seed = 1;
};

// Mono samples between -1 and 1, with `lead_in` seconds of silence (or
// noise) before the first letter and half a second after the last.
std::vector<float> synthesize(const Synth_Recording& r);

// Random words of letters and digits, about `characters` long in all.
std::string random_words(unsigned seed, int characters);

// Words as amateur radio operators send them: calls, reports, names,
// short sentences and `. , ? / =`, about `characters` long in all.
std::string radio_words(unsigned seed, int characters);

// Edits (insertions, deletions, substitutions) from `got` to `want`, over the
// length of `want`: the character error rate.
double character_error_rate(const std::string& got, const std::string& want);
