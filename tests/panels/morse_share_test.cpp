// Counting a line, and the per-line bookkeeping of an area's counts (checked
// against whole recounts over random edits of a real text area in tests/ui).

#include "panels/morse_share.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(Morse_Share, LineCountsMatchTheDeletingCounts) {
  EXPECT_EQ(count_morse_in_line("STSTOPOP"), (Morse_Count{8, 8}));
  EXPECT_EQ(count_morse_in_line("STOSTOPP"), (Morse_Count{8, 8}));
  EXPECT_EQ(count_morse_in_line("STOPSTO"), (Morse_Count{4, 7}));
  EXPECT_EQ(count_morse_in_line("   "), (Morse_Count{3, 3}));
  EXPECT_EQ(count_morse_in_line("\xD0\x9F.\n"), (Morse_Count{1, 4}));  // bytes, not characters
  EXPECT_EQ(morse_share({0, 0}), 0.0);
  EXPECT_EQ(morse_share({2, 3}), static_cast<double>(200.0L / 3.0L));
}

TEST(Morse_Share, TrackerReplacesLinesInPlace) {
  Morse_Share_Tracker tracker;
  tracker.replace_lines(0, 0, {{1, 1}, {2, 4}, {3, 3}});
  tracker.replace_lines(1, 1, {{0, 5}, {4, 4}});  // one line becomes two
  EXPECT_EQ(tracker.line_count(), 4);
  EXPECT_EQ(tracker.totals(), (Morse_Count{8, 13}));
  tracker.replace_lines(0, 3, {});
  EXPECT_EQ(tracker.totals(), (Morse_Count{3, 3}));
  EXPECT_EQ(tracker.share(), 100.0);
}

}  // namespace
