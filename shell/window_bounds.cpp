#include "shell/window_bounds.h"

#include <algorithm>

namespace {

bool overlap(const Window_Rect& a, const Window_Rect& b) {
  // In 64 bits: a stored position near the limits of int must not wrap. A
  // window is never less than a pixel wide or high.
  const auto right = [](const Window_Rect& r) {
    return static_cast<long long>(r.left) + std::max(r.width, 1);
  };
  const auto bottom = [](const Window_Rect& r) {
    return static_cast<long long>(r.top) + std::max(r.height, 1);
  };
  return a.left < right(b) && b.left < right(a) && a.top < bottom(b) && b.top < bottom(a);
}

constexpr int kInset = 10;

}  // namespace

Window_Rect keep_on_some_screen(const Window_Rect& outer, const std::vector<Window_Rect>& screens,
                                const Window_Rect& primary_work_area) {
  if (screens.empty()) return outer;  // nothing known to measure against
  for (const Window_Rect& screen : screens) {
    if (overlap(outer, screen)) return outer;
  }
  const Window_Rect& area = primary_work_area;
  return {area.left + kInset, area.top + kInset,
          std::clamp(outer.width, 1, std::max(area.width - kInset, 1)),
          std::clamp(outer.height, 1, std::max(area.height - kInset, 1))};
}

namespace {

// One axis: a span longer than the area's takes the area's place and length.
void fit_span(int& start, int& length, int area_start, int area_length) {
  if (area_length <= 0 || length <= area_length) return;
  start = area_start;
  length = area_length;
}

long long shared_length(long long a_start, long long a_length, long long b_start,
                        long long b_length) {
  return std::max(0LL,
                  std::min(a_start + a_length, b_start + b_length) - std::max(a_start, b_start));
}

}  // namespace

Window_Rect fit_to_available_area(const Window_Rect& outer, const Window_Rect& area) {
  Window_Rect fitted = outer;
  fit_span(fitted.left, fitted.width, area.left, area.width);
  fit_span(fitted.top, fitted.height, area.top, area.height);
  return fitted;
}

int screen_holding_most_of(const Window_Rect& outer, const std::vector<Window_Rect>& screens) {
  int best = -1;
  long long best_area = 0;
  for (std::size_t i = 0; i < screens.size(); ++i) {
    const Window_Rect& s = screens[i];
    const long long area = shared_length(outer.left, std::max(outer.width, 1), s.left, s.width) *
                           shared_length(outer.top, std::max(outer.height, 1), s.top, s.height);
    if (area > best_area) {
      best_area = area;
      best = static_cast<int>(i);
    }
  }
  return best;
}
