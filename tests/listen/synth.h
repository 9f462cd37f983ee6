#pragma once
// Recordings of Morse code made to order for the listening tests and the
// benchmark: keyed tone with standard or Farnsworth timing, a speed drift,
// hand-keying jitter, slow fading, white noise of a given signal-to-noise
// ratio in 2500 Hz, and a second, weaker signal nearby. Every random choice
// comes from the seed.

#include <cmath>
#include <string>
#include <vector>

struct Synth_Recording {
  std::string text;  // upper-case words with single spaces
  int rate = 8000;
  double tone_hz = 700.0;
  double tone_drift_hz = 0.0;  // how far the tone has moved at the end
  double wpm = 20.0;
  double farnsworth_wpm = 0.0;  // the overall speed when below wpm; 0: none
  double end_wpm = 0.0;         // the speed at the end, reached linearly; 0: no drift
  double snr_db = INFINITY;     // tone power to noise power in 2500 Hz
  double jitter = 0.0;          // each element and gap off by up to this share
  double fade_db = 0.0;         // fading depth, at fade_hz
  double fade_hz = 0.2;
  double second_offset_hz = 0.0;  // a second signal this far above the tone; 0: none
  double second_db = -10.0;       // its level against the first
  unsigned seed = 1;
};

// Mono samples between -1 and 1, with half a second of silence (or noise)
// at both ends.
std::vector<float> synthesize(const Synth_Recording& r);

// Random words of letters and digits, about `characters` long in all.
std::string random_words(unsigned seed, int characters);

// Edits (insertions, deletions, substitutions) from `got` to `want`, over the
// length of `want`: the character error rate.
double character_error_rate(const std::string& got, const std::string& want);
