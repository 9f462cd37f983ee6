#pragma once
// Proportional scaling of the main window: the design layout of every control
// is recorded once as text lines, and every later layout is computed afresh
// from that record and the present client size, so no rounding builds up.

#include <string>

// A control's place within its parent and its font size in points.
struct Control_Layout {
  int left = 0;
  int width = 0;
  int top = 0;
  int height = 0;
  int font_size = 0;
  bool operator==(const Control_Layout&) const = default;
};

// What scaling needs of the window. Components are numbered from 0 in the
// order the window created them; only visual controls have a layout.
class Scalable_Window {
 public:
  virtual ~Scalable_Window() = default;
  virtual int client_width() const = 0;
  virtual int client_height() const = 0;
  virtual int component_count() const = 0;
  virtual bool is_control(int k) const = 0;
  virtual Control_Layout layout_of(int k) const = 0;
  virtual std::string name_of(int k) const = 0;
  // Sets left, width, top, height, then the font size. A font size of 0 or less
  // means the control had no point size when recorded: leave its font alone.
  virtual void apply_layout(int k, const Control_Layout& layout) = 0;

  // The baseline store: a list of text lines.
  virtual int baseline_count() const = 0;
  virtual void add_baseline_line(const std::string& line) = 0;
  virtual std::string baseline_line(int n) const = 0;
};

// Records line 0 ("<width> <height> W/H Mainform1") and one line per
// component ("<left> <width> <top> <height> <font> <name>", or "0" for a
// component that is not a visual control). Does nothing once recorded, and
// records nothing while the client area has no width or no height, so a later
// call can still record a real size.
void Record_Initial_Control_Layout(Scalable_Window& window);

// Lays every control out from the baseline for the present client size. Does
// nothing before the baseline is recorded, and nothing while the client area
// has no width or no height (a minimised window).
void Scale_Controls_To_Window_Size(Scalable_Window& window);

// One control's layout for the ratios: each product truncated toward zero
// (pinned to the int range); a positive font never below 1 point, a font of
// 0 or less passed on unchanged.
Control_Layout scaled_layout(const Control_Layout& design, double rx, double ry, double rf);
