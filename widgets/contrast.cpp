#include "widgets/contrast.h"

#include <algorithm>
#include <cmath>

namespace {

double linear_channel(int value) {
  const double c = value / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

int mixed_channel(int from, int to, double share) {
  return static_cast<int>(std::lround(from + (to - from) * share));
}

}  // namespace

double relative_luminance(const QColor& colour) {
  const QColor rgb = colour.toRgb();
  return 0.2126 * linear_channel(rgb.red()) + 0.7152 * linear_channel(rgb.green()) +
         0.0722 * linear_channel(rgb.blue());
}

double contrast_ratio(const QColor& a, const QColor& b) {
  const double la = relative_luminance(a);
  const double lb = relative_luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool reads_on(const QColor& text, const QColor& background) {
  return contrast_ratio(text, background) >= kReadable_Contrast;
}

QColor readable_text(const QColor& wanted, const QColor& background) {
  if (reads_on(wanted, background)) return wanted;
  const QColor white(255, 255, 255);
  const QColor black(0, 0, 0);
  const QColor towards =
      contrast_ratio(white, background) >= contrast_ratio(black, background) ? white : black;
  const QColor from = wanted.toRgb();
  constexpr int kSteps = 40;
  for (int step = 1; step < kSteps; ++step) {
    const double share = static_cast<double>(step) / kSteps;
    const QColor mixed(mixed_channel(from.red(), towards.red(), share),
                       mixed_channel(from.green(), towards.green(), share),
                       mixed_channel(from.blue(), towards.blue(), share));
    if (reads_on(mixed, background)) return mixed;
  }
  return towards;
}
