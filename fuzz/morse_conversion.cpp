// Both conversions of one line against their plain versions: a different
// text, or a different number of tokens reported to the caller, is a finding.
// The whole input is the line; its last byte also picks the alphabet, so that
// each run pays for one slow reference lookup table, not four.
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/morse_table.h"
#include "engine/morse_to_text.h"
#include "engine/text_to_morse.h"
#include "tests/engine/reference.h"

namespace {

constexpr int kAlphabets = 4;

const std::array<TMorse_Code_Table, kAlphabets>& tables() {
  static const std::array<TMorse_Code_Table, kAlphabets> built = [] {
    std::array<TMorse_Code_Table, kAlphabets> t;
    for (int a = 0; a < kAlphabets; ++a) Build_Morse_Code_Table(t[a], a);
    return t;
  }();
  return built;
}

void expect_same(const std::string& fast, const std::string& slow, const char* what, int alphabet) {
  if (fast == slow) return;
  std::fprintf(stderr, "%s differs from its reference in alphabet %d\n", what, alphabet);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string line(reinterpret_cast<const char*>(data), size);
  const int a = data[size - 1] % kAlphabets;
  const TMorse_Code_Table& table = tables()[a];
  expect_same(text_line_to_morse(table, line), reference::text_line_to_morse(table, line),
              "text_line_to_morse", a);
  int fast_tokens = 0;
  int slow_tokens = 0;
  expect_same(morse_line_to_text(table, line, [&] { ++fast_tokens; }),
              reference::morse_line_to_text(table, line, [&] { ++slow_tokens; }),
              "morse_line_to_text", a);
  expect_same(std::to_string(fast_tokens), std::to_string(slow_tokens),
              "morse_line_to_text's token count", a);
  return 0;
}
