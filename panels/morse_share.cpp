#include "panels/morse_share.h"

#include <algorithm>
#include <string>

#include "engine/strutil.h"

Morse_Count count_morse_in_line(std::string_view line) {
  const std::string text(line);
  Morse_Count count;
  count.morse = STRUTIL_Count_Occurrences(text, ".") + STRUTIL_Count_Occurrences(text, "-") +
                STRUTIL_Count_Occurrences(text, " ") +
                4 * static_cast<std::int64_t>(STRUTIL_Count_Occurrences(text, "STOP"));
  count.total = static_cast<std::int64_t>(text.size());
  return count;
}

double morse_share(const Morse_Count& count) {
  if (count.total <= 0) return 0.0;
  const long double share =
      static_cast<long double>(count.morse) * 100.0L / static_cast<long double>(count.total);
  return static_cast<double>(share);
}

double Morse_Pct_Of_Memo(const Line_List& area) {
  Morse_Count count;
  const int lines = area.count();
  for (int i = 0; i < lines; ++i) count += count_morse_in_line(area.line(i));
  return morse_share(count);
}

void Morse_Share_Tracker::replace_lines(int first, int removed,
                                        const std::vector<Morse_Count>& added) {
  const int size = line_count();
  first = std::clamp(first, 0, size);
  removed = std::clamp(removed, 0, size - first);
  const auto from = lines_.begin() + first;
  for (auto it = from; it != from + removed; ++it) totals_ -= *it;
  for (const Morse_Count& c : added) totals_ += c;
  // Overwrite in place where the counts match; appending at the end is the
  // common case and then touches nothing before it.
  const int common = std::min(removed, static_cast<int>(added.size()));
  std::copy(added.begin(), added.begin() + common, from);
  if (removed > common) {
    lines_.erase(from + common, from + removed);
  } else {
    lines_.insert(from + common, added.begin() + common, added.end());
  }
}

void Morse_Share_Tracker::clear() {
  lines_.clear();
  totals_ = {};
}
