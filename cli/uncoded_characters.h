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
  // The steps an ASCII line is counted in: a byte, or sixteen or thirty-two at once.
  enum class Simd { None, Ssse3, Avx2 };

  // The widest steps the processor has, up to `widest` (narrower ones for tests).
  explicit Uncoded_Characters(const TMorse_Code_Table& table, Simd widest = Simd::Avx2);

  // A line of ASCII only, converted as it is. Sixteen or thirty-two bytes a
  // step where the processor allows, so that counting costs the conversion
  // next to nothing.
  void add_ascii_line(std::string_view line);
  // A UTF-8 line and the code-page bytes it was encoded to. A character is
  // counted at its first byte, as every byte but a continuation byte starts one.
  void add_encoded_line(std::string_view utf8, std::string_view bytes);

  std::uint64_t count() const;

 private:
  std::array<bool, 256> uncoded_{};
  // For each low nibble, bit h set when the ASCII byte 16 h + nibble has no code.
  alignas(16) unsigned char ascii_rows_[16] = {};
  Simd simd_ = Simd::None;
  // Counts not yet added up, one for each byte lane of the wide steps.
  alignas(32) unsigned char lanes_[32] = {};
  int lane_steps_ = 0;
  std::uint64_t count_ = 0;
};

// The line that says how many characters were left out, without a line break;
// empty for none. `alphabet` is the index as the alphabet group numbers them.
std::string uncoded_notice(std::uint64_t count, int alphabet);
