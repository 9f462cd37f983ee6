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
