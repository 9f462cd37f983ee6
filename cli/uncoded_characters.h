#pragma once
// Counts the characters that text to Morse leaves out: those the alphabet's
// code page cannot hold, and those its table has no code for. The conversion
// drops them by design; the count lets the command line say so once.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/morse_table.h"

class Uncoded_Characters {
 public:
  explicit Uncoded_Characters(const TMorse_Code_Table& table);

  // A line of ASCII only, converted as it is. Sixteen bytes a step where the
  // processor allows, so that counting costs the conversion next to nothing.
  void add_ascii_line(std::string_view line);
  // A UTF-8 line and the code-page bytes it was encoded to. A character is
  // counted at its first byte, as every byte but a continuation byte starts one.
  void add_encoded_line(std::string_view utf8, std::string_view bytes);

  std::uint64_t count() const { return count_; }

 private:
  std::array<bool, 256> uncoded_{};
  // For each low nibble, bit h set when the ASCII byte 16 h + nibble has no code.
  alignas(16) unsigned char ascii_rows_[16] = {};
  bool ssse3_ = false;
  std::uint64_t count_ = 0;
};

// The line that says how many characters were left out, without a line break;
// empty for none. `alphabet` is the index as the alphabet group numbers them.
std::string uncoded_notice(std::uint64_t count, int alphabet);
