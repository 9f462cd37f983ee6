// The string and number routines against their plain step-by-step versions:
// any difference in result is a finding, not only a crash. The input is read
// as S, Find and Replace (each ended by a backslash and one more byte, "\\"
// standing for a backslash), then the numbers the padding and the field
// reader take from its end.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "engine/numutil.h"
#include "engine/strutil.h"
#include "tests/engine/reference.h"

namespace {

void expect_same(const std::string& fast, const std::string& slow, const char* routine) {
  if (fast == slow) return;
  std::fprintf(stderr, "%s differs from its reference:\n  fast: %zu bytes\n  slow: %zu bytes\n",
               routine, fast.size(), slow.size());
  std::abort();
}

template <typename Extract>
std::string integer_or_message(Extract extract) {
  try {
    return std::to_string(extract());
  } catch (const std::invalid_argument& e) {
    return e.what();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  // Sizes that keep the quadratic reference quick while leaving room for
  // occurrences formed by replacements and for both limits of replace-all.
  const std::string s = in.ConsumeRandomLengthString(40);
  const std::string find = in.ConsumeRandomLengthString(8);
  const std::string replace = in.ConsumeRandomLengthString(8);
  const char fill = in.ConsumeIntegral<char>();
  const int width = in.ConsumeIntegralInRange(-4, 60);
  const int field = in.ConsumeIntegralInRange(-1, 8);

  expect_same(STRUTIL_Replace_All(s, find, replace), reference::replace_all(s, find, replace),
              "STRUTIL_Replace_All");
  expect_same(std::to_string(STRUTIL_Count_Occurrences(s, find)),
              std::to_string(reference::count_occurrences(s, find)), "STRUTIL_Count_Occurrences");
  expect_same(STRUTIL_Pad_Right(s, fill, width), reference::pad_right(s, fill, width),
              "STRUTIL_Pad_Right");
  expect_same(STRUTIL_Pad_Centre(s, fill, width), reference::pad_centre(s, fill, width),
              "STRUTIL_Pad_Centre");
  expect_same(integer_or_message([&] { return NUMUTIL_Extract_Integer(s); }),
              reference::extract_integer(s), "NUMUTIL_Extract_Integer");
  expect_same(
      integer_or_message([&] { return NUMUTIL_Extract_Integer_From_Field(s, find, field); }),
      reference::extract_integer_from_field(s, find, field), "NUMUTIL_Extract_Integer_From_Field");
  return 0;
}
