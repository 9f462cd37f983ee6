#pragma once
// Splits UTF-8 input into lines where the window's text area would: at a
// line feed, a carriage return, CR LF (one break), and the paragraph
// separator U+2029 and the two frame marks U+FDD0 and U+FDD1 that its
// document also takes as block breaks. A break at the very end makes no
// empty line after it, as a final empty line is no line of the area either.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "cli/byte_streams.h"

class Line_Reader {
 public:
  explicit Line_Reader(Byte_Source& source, std::size_t chunk = std::size_t{1} << 18);

  // The next line without its break; false at the end. The view holds until
  // the next call. Only one line is held at a time, so memory follows the
  // longest line, not the input.
  bool next(std::string_view& line);
  // Whether the last line is known to hold ASCII only, which then needs no
  // decoding. False when it was not looked at that closely.
  bool ascii() const { return ascii_; }

 private:
  // Reads more after the unread bytes; false when nothing more came.
  bool fill();
  std::size_t unread() const { return end_ - pos_; }

  Byte_Source& source_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  bool at_end_ = false;
  bool skip_line_feed_ = false;  // the last break was a CR: a LF right after belongs to it
  std::string spill_;            // a line that began before the last read
  bool ascii_ = false;
};
