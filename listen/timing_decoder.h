#pragma once
// Marks and spaces, with their lengths, into Morse code: dots and dashes,
// and the gaps between elements, letters and words. Nothing about the
// timing is assumed beyond its order: the classes are found in the lengths
// themselves, over a window of recent elements, so the gaps of a rendering
// whose pauses are not in proportion to its tones are told apart as well as
// those of hand keying. Every length is measured against the local length of
// a dot, so a change of speed is followed.
//
// Each element is decided when a number of later ones have been seen, so the
// classes are judged from both sides; memory stays the same whatever the
// length.

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "listen/key_detector.h"

class Timing_Decoder {
 public:
  // Key events as the detector gives them, marks and spaces in turn.
  void push(const Key_Event& event);
  // Decides what is left, as if a long silence followed.
  void finish();
  // The same, the last code ending a word, in the middle of a recording that
  // goes on: what comes next is decided as new marks and spaces.
  void pause();

  // The Morse code decided since the last call, in the program's own form:
  // each code followed by one space, three between the codes of two words.
  std::string take();

  // Live decisions: each entry once `entries` later ones, or a little time,
  // have been seen, sooner and from less (see the live rules in learn()).
  void set_lookahead(std::size_t entries) {
    lookahead_ = entries;
    live_ = true;
  }

  // The shortest element (a dot or an element gap) seen lately, in seconds;
  // 0 while nothing is known, and live until enough entries are in.
  double element_seconds() const { return element_seconds_; }
  // The same from as few entries as there are, to be shown.
  double latest_element_seconds() const { return latest_element_seconds_; }

  // The same from a handful of events, for a first guess; marks and gaps
  // shorter than `ignore_below` are taken for noise.
  static double shortest_element(const std::vector<Key_Event>& events, double ignore_below);
  // How clearly the marks among a handful of events fall into dots and
  // dashes (their distance in spreads, less for every mark shorter than
  // `shortest`, which noise makes); 0 when they do not.
  static double mark_clarity(const std::vector<Key_Event>& events, double shortest);

 private:
  struct Entry {
    double mark = 0.0;  // seconds
    double gap = -1.0;  // the space after the mark; below 0 while not yet ended
  };
  enum class Gap { Element, Letter, Word };
  struct Classes {
    std::vector<double> dot;  // the local dot length at each entry of the window
    double dash_above = 0.0;  // a mark this many local dots long or more is a dash
    int gap_classes = 1;
    double bounds[2] = {0.0, 0.0};  // log(gap / local dot) between the gap classes
  };

  void decide_oldest();
  void learn();
  Gap gap_class(std::size_t index) const;

  std::deque<Entry> window_;
  std::size_t lookahead_ = 48;
  bool live_ = false;
  std::size_t decided_ = 0;  // entries at the front of the window already decided
  std::size_t since_learned_ = 0;
  Classes classes_;
  bool learned_ = false;
  bool in_mark_ = false;
  std::string code_;
  std::string out_;
  double element_seconds_ = 0.0;
  double latest_element_seconds_ = 0.0;
};
