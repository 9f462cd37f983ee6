#include "engine/numutil.h"

#include <cstdint>
#include <stdexcept>

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_sign(char c) { return c == '+' || c == '-'; }

// Decimal conversion of an optional sign followed by digits (leading zeros allowed).
int to_int32(const std::string& text) {
  const auto fail = [&text]() -> int {
    throw std::invalid_argument("'" + text + "' is not a valid integer value");
  };
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && is_sign(text[0])) i = 1;
  if (i == text.size()) return fail();
  while (i + 1 < text.size() && text[i] == '0') ++i;  // keep one digit
  if (text.size() - i > 10) return fail();
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (!is_digit(text[i])) return fail();
    value = value * 10 + (text[i] - '0');
  }
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return fail();
  return static_cast<int>(value);
}

}  // namespace

int NUMUTIL_Extract_Integer(std::string S) {
  std::string remains;
  for (char c : S) {
    if (is_digit(c) || (is_sign(c) && remains.empty())) remains += c;
  }
  if (remains.empty()) return 0;
  return to_int32(remains);
}

int NUMUTIL_Extract_Integer_From_Field(std::string S, std::string Sep, int N) {
  std::size_t start = 0;
  if (!Sep.empty()) {
    // Each skip deletes up to and including the first byte of the next separator; once
    // there is none left, further skips change nothing.
    for (int k = 1; k < N; ++k) {
      const std::size_t at = S.find(Sep, start);
      if (at == std::string::npos) break;
      start = at + 1;
    }
  }
  std::size_t end = Sep.empty() ? std::string::npos : S.find(Sep, start);
  if (end == std::string::npos) end = S.size();
  return NUMUTIL_Extract_Integer(S.substr(start, end - start));
}
