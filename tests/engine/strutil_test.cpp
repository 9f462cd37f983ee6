#include "engine/strutil.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kPlaceholder = STRUTIL_PLACEHOLDER;

TEST(ReplaceAll, EmptyTextOrFindReturnsTheText) {
  EXPECT_EQ(STRUTIL_Replace_All("", "a", "b"), "");
  EXPECT_EQ(STRUTIL_Replace_All("abc", "", "x"), "abc");
  EXPECT_EQ(STRUTIL_Replace_All("", "a", "xa"), "");
}

TEST(ReplaceAll, ReplacesTextFormedByAReplacement) {
  EXPECT_EQ(STRUTIL_Replace_All(".-", ".", "Dot "), "Dot -");
  EXPECT_EQ(STRUTIL_Replace_All("aab", "ab", "b"), "b");
  EXPECT_EQ(STRUTIL_Replace_All("STSTOPOP", "STOP", ""), "");
  // Every run of backslashes ends as one.
  EXPECT_EQ(STRUTIL_Replace_All("C:\\\\\\\\dir\\\\\\", "\\\\", "\\"), "C:\\dir\\");
  EXPECT_EQ(STRUTIL_Replace_All("a&b&&", "&", "."), "a.b..");
}

TEST(ReplaceAll, FindInsideReplaceDoesNotGrowWithoutEnd) {
  EXPECT_EQ(STRUTIL_Replace_All("xax", "a", "aa"), "xaax");
  EXPECT_EQ(STRUTIL_Replace_All("abab", "ab", "abab"), "abababab");
}

// Pairs that keep forming new occurrences stop at the length limit, |S| * (|Replace| + 1),
// with the text as it stands; pairs that end on their own, however long they take, do not.
TEST(ReplaceAll, EndlessReplacingStopsAtTheLengthLimit) {
  const std::string endless = STRUTIL_Replace_All("bbbabab", "ba", "aabb");
  EXPECT_EQ(endless, "aaaaaaaaaaaabaabbbbbbbbbbbbbbabbbab");
  EXPECT_EQ(endless.size(), 7u * 5u);
  // Every "a" before the "b" doubles the "b"s: 2^5 of them would be too long.
  EXPECT_EQ(STRUTIL_Replace_All("aaaaab", "ab", "bba"), "bbbbbbbbbbbbbbbbaabbabaa");
  EXPECT_EQ(STRUTIL_Replace_All("aaab", "ab", "bba"), "bbbbbbbbaaa");
  // Sorting by swaps takes |S|^2 / 4 replacements, within the count limit.
  EXPECT_EQ(STRUTIL_Replace_All(std::string(20, 'a') + std::string(20, 'b'), "ab", "ba"),
            std::string(20, 'b') + std::string(20, 'a'));
}

TEST(ReplaceAll, FindClashingWithThePlaceholderEndsWithOnePass) {
  EXPECT_EQ(STRUTIL_Replace_All("a\x01\x01", "\x01", "\x01\x01"), "a\x01\x01\x01\x01");
  EXPECT_EQ(STRUTIL_Replace_All("x" + kPlaceholder, "\x02\x03", "\x02\x03!"),
            "x\x01\x02\x03!\x04\x05\x01");
  EXPECT_EQ(STRUTIL_Replace_All("axa", "a", "a" + kPlaceholder),
            "a" + kPlaceholder + "xa" + kPlaceholder);
}

TEST(CountOccurrences, CountsOccurrencesFormedByDeletion) {
  EXPECT_EQ(STRUTIL_Count_Occurrences("   ", " "), 3);
  EXPECT_EQ(STRUTIL_Count_Occurrences("", "STOP"), 0);
  EXPECT_EQ(STRUTIL_Count_Occurrences("abc", ""), 0);
  EXPECT_EQ(STRUTIL_Count_Occurrences("STSTOPOP", "STOP"), 2);
  EXPECT_EQ(STRUTIL_Count_Occurrences("aaaa", "aa"), 2);
  EXPECT_EQ(STRUTIL_Count_Occurrences("stop STOP", "STOP"), 1);
}

TEST(PadRight, FillsToWidthAndNeverCuts) {
  EXPECT_EQ(STRUTIL_Pad_Right("ab", '-', 5), "ab---");
  EXPECT_EQ(STRUTIL_Pad_Right("abcdef", '-', 3), "abcdef");
  EXPECT_EQ(STRUTIL_Pad_Right("ab", '-', -4), "ab");
  EXPECT_EQ(STRUTIL_Pad_Right("ab", '\0', 5), "");
  EXPECT_EQ(STRUTIL_Pad_Right("ab", '-', 0), "");
}

TEST(PadCentre, PutsOneOrTwoFewerOnTheLeft) {
  EXPECT_EQ(STRUTIL_Pad_Centre("Char", ' ', 4), "Char");
  EXPECT_EQ(STRUTIL_Pad_Centre("Information", ' ', 15), " Information   ");
  EXPECT_EQ(STRUTIL_Pad_Centre("A", ' ', 4), "A   ");
  EXPECT_EQ(STRUTIL_Pad_Centre("Alfa", ' ', 15), "    Alfa       ");
  EXPECT_EQ(STRUTIL_Pad_Centre(".-", ' ', 15), "     .-        ");
  EXPECT_EQ(STRUTIL_Pad_Centre("", '-', 4), "----");
  EXPECT_EQ(STRUTIL_Pad_Centre("sixsix", ' ', 3), "sixsix");
  EXPECT_EQ(STRUTIL_Pad_Centre("ab", ' ', -1), "ab");
  EXPECT_EQ(STRUTIL_Pad_Centre("ab", '\0', 8), "");
  EXPECT_EQ(STRUTIL_Pad_Centre("ab", ' ', 0), "");
}

}  // namespace
