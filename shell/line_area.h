#pragma once
// A text area seen as a list of 8-bit lines, the way the conversions and the
// other commands use it. Lines never hold their line breaks.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "panels/line_list.h"
#include "sound/text_lines.h"

// Lines gathered to be appended together: their bytes one after the other,
// and where each one ends (a line may hold any byte, a line feed too).
class Line_Batch {
 public:
  void add(std::string_view line) {
    bytes_ += line;
    ends_.push_back(bytes_.size());
  }
  void clear() {
    bytes_.clear();
    ends_.clear();
  }
  bool empty() const { return ends_.empty(); }
  std::size_t size() const { return ends_.size(); }
  std::string_view operator[](std::size_t i) const {
    const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(bytes_).substr(begin, ends_[i] - begin);
  }
  // All the lines' bytes, without anything between them.
  std::size_t byte_count() const { return bytes_.size(); }

 private:
  std::string bytes_;
  std::vector<std::size_t> ends_;
};

// The panels read it as a Line_List, playback and keying as Text_Lines.
class Line_Area : public Line_List, public Text_Lines {
 public:
  // Number of lines; a final empty line after a closing line break is not a line.
  int count() const override = 0;
  // Line i counted from 0; an index outside 0..count()-1 reads as an empty line.
  std::string line(int i) const override = 0;
  // Adds a line at the end; an empty line is a real line.
  void append(std::string_view text) override = 0;
  // Adds the lines at the end, as many calls of append() would.
  virtual void append_lines(const Line_Batch& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) append(lines[i]);
  }
  virtual void clear() = 0;
  void set_line(int i, std::string_view text) override = 0;
  // Puts the caret at character position `pos` (from 0) and brings it into view.
  virtual void set_selection_start(int pos) = 0;
};
