#include "panels/window_scaling.h"

#include <limits>
#include <string>

#include "engine/numutil.h"

namespace {

// A ratio far above 1 (a baseline recorded at a tiny size, then maximised) can push a
// product past the int range, and converting such a double to int is undefined; pinning it
// keeps the result defined without touching any product that fits.
int truncate_toward_zero(double value) {
  constexpr double kMax = std::numeric_limits<int>::max();
  constexpr double kMin = std::numeric_limits<int>::min();
  if (value >= kMax) return std::numeric_limits<int>::max();
  if (value <= kMin) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

std::string control_line(const Control_Layout& layout, const std::string& name) {
  return std::to_string(layout.left) + " " + std::to_string(layout.width) + " " +
         std::to_string(layout.top) + " " + std::to_string(layout.height) + " " +
         std::to_string(layout.font_size) + " " + name;
}

int field(const std::string& line, int n) {
  return NUMUTIL_Extract_Integer_From_Field(line, " ", n);
}

}  // namespace

void Record_Initial_Control_Layout(Scalable_Window& window) {
  if (window.baseline_count() > 0) return;
  const int width = window.client_width();
  const int height = window.client_height();
  // A window not yet laid out (or minimised) would give ratios of infinity on every later
  // resize; leaving the baseline empty lets the next call record a real size.
  if (width <= 0 || height <= 0) return;

  window.add_baseline_line(std::to_string(width) + " " + std::to_string(height) + " W/H Mainform1");
  const int count = window.component_count();
  for (int k = 0; k < count; ++k) {
    window.add_baseline_line(window.is_control(k)
                                 ? control_line(window.layout_of(k), window.name_of(k))
                                 : std::string("0"));
  }
}

void Scale_Controls_To_Window_Size(Scalable_Window& window) {
  const int lines = window.baseline_count();
  if (lines <= 0) return;

  const std::string size_line = window.baseline_line(0);
  const int w0 = field(size_line, 1);
  const int h0 = field(size_line, 2);
  const int width = window.client_width();
  const int height = window.client_height();
  // Squeezing every control to nothing while minimised would gain nothing: the layout is
  // always rebuilt from the baseline, so the next normal size restores it all the same.
  if (width <= 0 || height <= 0 || w0 <= 0 || h0 <= 0) return;

  const double ry = static_cast<double>(height) / h0;
  const double rx = static_cast<double>(width) / w0;
  const double rf = ry >= rx ? rx : ry;

  const int count = window.component_count();
  for (int k = 0; k < count && k + 1 < lines; ++k) {
    const std::string line = window.baseline_line(k + 1);
    if (line.size() <= 1) continue;  // a component that is not a visual control
    Control_Layout design;
    design.left = field(line, 1);
    design.width = field(line, 2);
    design.top = field(line, 3);
    design.height = field(line, 4);
    design.font_size = field(line, 5);
    window.apply_layout(k, scaled_layout(design, rx, ry, rf));
  }
}

Control_Layout scaled_layout(const Control_Layout& design, double rx, double ry, double rf) {
  Control_Layout scaled;
  scaled.left = truncate_toward_zero(design.left * rx);
  scaled.width = truncate_toward_zero(design.width * rx);
  scaled.top = truncate_toward_zero(design.top * ry);
  scaled.height = truncate_toward_zero(design.height * ry);
  // A font of 0 points is not a size a control can take, so a very small window keeps
  // 1 point; a font recorded without a point size is passed on as it was.
  if (design.font_size > 0) {
    scaled.font_size = truncate_toward_zero(design.font_size * rf);
    if (scaled.font_size < 1) scaled.font_size = 1;
  } else {
    scaled.font_size = design.font_size;
  }
  return scaled;
}
