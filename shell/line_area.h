#pragma once
// A text area seen as a list of 8-bit lines, the way the conversions and the
// other commands use it. Lines never hold their line breaks.

#include <string>
#include <string_view>

#include "panels/line_list.h"

class Line_Area : public Line_List {
 public:
  // Adds a line at the end; an empty line is a real line.
  virtual void append(std::string_view text) = 0;
  virtual void clear() = 0;
  virtual void set_line(int i, std::string_view text) = 0;
  // Puts the caret at character position `pos` (from 0) and brings it into view.
  virtual void set_selection_start(int pos) = 0;
};
