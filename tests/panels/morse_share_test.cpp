// The per-line bookkeeping of the Morse share against a whole recount.

#include "panels/morse_share.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/strutil.h"

namespace {

// The share counted the long way: every line, each count by deleting.
Morse_Count whole_count(const std::vector<std::string>& lines) {
  Morse_Count c;
  for (const std::string& line : lines) {
    c.morse += STRUTIL_Count_Occurrences(line, ".") + STRUTIL_Count_Occurrences(line, "-") +
               STRUTIL_Count_Occurrences(line, " ") + 4 * STRUTIL_Count_Occurrences(line, "STOP");
    c.total += static_cast<std::int64_t>(line.size());
  }
  return c;
}

TEST(Morse_Share, LineCountsMatchTheDeletingCounts) {
  EXPECT_EQ(count_morse_in_line("STSTOPOP"), (Morse_Count{8, 8}));
  EXPECT_EQ(count_morse_in_line("STOSTOPP"), (Morse_Count{8, 8}));
  EXPECT_EQ(count_morse_in_line("STOPSTO"), (Morse_Count{4, 7}));
  EXPECT_EQ(count_morse_in_line("   "), (Morse_Count{3, 3}));
  EXPECT_EQ(count_morse_in_line("\xD0\x9F.\n"), (Morse_Count{1, 4}));  // bytes, not characters
  EXPECT_EQ(morse_share({0, 0}), 0.0);
  EXPECT_EQ(morse_share({2, 3}), static_cast<double>(200.0L / 3.0L));
}

TEST(Morse_Share, TrackerFollowsRandomEditsExactly) {
  std::mt19937 random(7);
  const std::string pieces[] = {".", "-", " ", "STOP", "ST", "OP", "A", "stop", "", "..--"};
  auto random_line = [&] {
    std::string line;
    for (int n = random() % 6; n > 0; --n) line += pieces[random() % std::size(pieces)];
    return line;
  };
  std::vector<std::string> lines;
  Morse_Share_Tracker tracker;
  for (int step = 0; step < 2000; ++step) {
    const int size = static_cast<int>(lines.size());
    const int first = size == 0 ? 0 : static_cast<int>(random() % (size + 1));
    const int removed = first == size ? 0 : static_cast<int>(random() % (size - first + 1) % 4);
    std::vector<std::string> added(random() % 4);
    for (std::string& line : added) line = random_line();

    std::vector<Morse_Count> counts;
    for (const std::string& line : added) counts.push_back(count_morse_in_line(line));
    tracker.replace_lines(first, removed, counts);
    lines.erase(lines.begin() + first, lines.begin() + first + removed);
    lines.insert(lines.begin() + first, added.begin(), added.end());

    ASSERT_EQ(tracker.line_count(), static_cast<int>(lines.size())) << step;
    ASSERT_EQ(tracker.totals(), whole_count(lines)) << step;
  }
  tracker.clear();
  EXPECT_EQ(tracker.totals(), (Morse_Count{}));
  EXPECT_EQ(tracker.share(), 0.0);
}

}  // namespace
