#pragma once
// A text area seen as a list of 8-bit lines, the way the conversions and the
// other commands use it. Lines never hold their line breaks.

#include <string>
#include <string_view>

#include "panels/line_list.h"
#include "sound/text_lines.h"

// The panels read it as a Line_List, playback and keying as Text_Lines.
class Line_Area : public Line_List, public Text_Lines {
 public:
  // Number of lines; a final empty line after a closing line break is not a line.
  int count() const override = 0;
  // Line i counted from 0; an index outside 0..count()-1 reads as an empty line.
  std::string line(int i) const override = 0;
  // Adds a line at the end; an empty line is a real line.
  void append(std::string_view text) override = 0;
  virtual void clear() = 0;
  void set_line(int i, std::string_view text) override = 0;
  // Puts the caret at character position `pos` (from 0) and brings it into view.
  virtual void set_selection_start(int pos) = 0;
};
