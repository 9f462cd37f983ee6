#pragma once
// Read access to a text area as a list of 8-bit lines, which is all that the
// gauges and reports need of an area. Lines never hold their line breaks.

#include <string>

class Line_List {
 public:
  virtual ~Line_List() = default;
  // Number of lines; a final empty line after a closing line break is not a line.
  virtual int count() const = 0;
  // Line i counted from 0; an index outside 0..count()-1 reads as an empty line.
  virtual std::string line(int i) const = 0;
};
