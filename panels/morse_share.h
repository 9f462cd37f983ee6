#pragma once
// The share of an area's characters that are Morse code: ".", "-", " " and the
// four letters of every upper-case "STOP", over all characters of all lines
// (line breaks count for neither).

#include <cstdint>
#include <string_view>
#include <vector>

#include "panels/line_list.h"

struct Morse_Count {
  std::int64_t morse = 0;
  std::int64_t total = 0;
  Morse_Count& operator+=(const Morse_Count& o) {
    morse += o.morse;
    total += o.total;
    return *this;
  }
  Morse_Count& operator-=(const Morse_Count& o) {
    morse -= o.morse;
    total -= o.total;
    return *this;
  }
  bool operator==(const Morse_Count&) const = default;
};

// One line's counts. "STOP" is counted by deleting the leftmost occurrence
// until none is left, so "STSTOPOP" holds two.
Morse_Count count_morse_in_line(std::string_view line);

// morse * 100 / total in extended precision, stored as a double; 0 for no characters.
double morse_share(const Morse_Count& count);

// The share of a whole area, from every line.
double Morse_Pct_Of_Memo(const Line_List& area);

// Keeps each line's counts and their sum, so that a change to a few lines of a
// long area costs only those lines, and appending line after line stays linear.
class Morse_Share_Tracker {
 public:
  // Lines first .. first + removed - 1 give way to `added` (one count per new line).
  void replace_lines(int first, int removed, const std::vector<Morse_Count>& added);
  void clear();

  int line_count() const { return static_cast<int>(lines_.size()); }
  const Morse_Count& totals() const { return totals_; }
  double share() const { return morse_share(totals_); }

 private:
  std::vector<Morse_Count> lines_;
  Morse_Count totals_;
};
