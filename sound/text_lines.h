#pragma once
// A text area as playback and keying use it: a list of 8-bit lines.

#include <string>
#include <string_view>

class Text_Lines {
 public:
  virtual ~Text_Lines() = default;
  // Number of lines; a final empty line after a closing line break is not a line.
  virtual int count() const = 0;
  virtual std::string line(int i) const = 0;
  virtual void set_line(int i, std::string_view text) = 0;
  // Adds a line at the end.
  virtual void append(std::string_view text) = 0;
};
