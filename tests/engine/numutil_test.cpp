#include "engine/numutil.h"

#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <string>

namespace {

std::string failure_of(const std::string& s) {
  try {
    NUMUTIL_Extract_Integer(s);
  } catch (const std::invalid_argument& e) {
    return e.what();
  }
  return "no failure";
}

TEST(ExtractInteger, KeepsDigitsAndALeadingSign) {
  EXPECT_EQ(NUMUTIL_Extract_Integer("640 px"), 640);
  EXPECT_EQ(NUMUTIL_Extract_Integer("a-1-2b3"), -123);
  EXPECT_EQ(NUMUTIL_Extract_Integer("1+2"), 12);
  EXPECT_EQ(NUMUTIL_Extract_Integer("--5"), -5);
  EXPECT_EQ(NUMUTIL_Extract_Integer("+7"), 7);
  EXPECT_EQ(NUMUTIL_Extract_Integer("5-"), 5);
  EXPECT_EQ(NUMUTIL_Extract_Integer("no number"), 0);
  EXPECT_EQ(NUMUTIL_Extract_Integer(""), 0);
  EXPECT_EQ(NUMUTIL_Extract_Integer("007"), 7);
  EXPECT_EQ(NUMUTIL_Extract_Integer("-0"), 0);
  EXPECT_EQ(NUMUTIL_Extract_Integer(std::string(5000, '0') + "42"), 42);
}

TEST(ExtractInteger, HandlesTheWholeRangeAndRejectsBeyondIt) {
  EXPECT_EQ(NUMUTIL_Extract_Integer("-2147483648"), INT_MIN);
  EXPECT_EQ(NUMUTIL_Extract_Integer("2147483647"), INT_MAX);
  EXPECT_EQ(failure_of("2147483648"), "'2147483648' is not a valid integer value");
  EXPECT_EQ(failure_of("x-2147483649"), "'-2147483649' is not a valid integer value");
  EXPECT_EQ(failure_of("99999999999999999999"),
            "'99999999999999999999' is not a valid integer value");
  EXPECT_EQ(failure_of("- px"), "'-' is not a valid integer value");
  EXPECT_EQ(failure_of("+-+"), "'+' is not a valid integer value");
}

TEST(ExtractIntegerFromField, ReadsSpaceSeparatedFields) {
  EXPECT_EQ(NUMUTIL_Extract_Integer_From_Field("10 20 30", " ", 1), 10);
  EXPECT_EQ(NUMUTIL_Extract_Integer_From_Field("10 20 30", " ", 2), 20);
  EXPECT_EQ(NUMUTIL_Extract_Integer_From_Field("10 20 30", " ", 3), 30);
  EXPECT_EQ(NUMUTIL_Extract_Integer_From_Field("10 20 30", " ", 5), 30);
  EXPECT_EQ(NUMUTIL_Extract_Integer_From_Field("10 20 30", " ", 0), 10);
  EXPECT_EQ(NUMUTIL_Extract_Integer_From_Field("10 20 30", " ", INT_MAX), 30);
  EXPECT_EQ(NUMUTIL_Extract_Integer_From_Field("10  30", " ", 2), 0);
  EXPECT_EQ(NUMUTIL_Extract_Integer_From_Field("1,2;3", " ", 3), 123);
}

TEST(ExtractIntegerFromField, DeletesOnlyTheFirstByteOfALongerSeparator) {
  // "1ab2ab3": the skip leaves "b2ab3", which is cut to "b2".
  EXPECT_EQ(NUMUTIL_Extract_Integer_From_Field("1ab2ab3", "ab", 2), 2);
  // The skip leaves "2-3", where "-2" no longer occurs, so all of it counts.
  EXPECT_EQ(NUMUTIL_Extract_Integer_From_Field("1-2-3", "-2", 2), 23);
  EXPECT_EQ(NUMUTIL_Extract_Integer_From_Field("7 8", "", 2), 78);
}

}  // namespace
