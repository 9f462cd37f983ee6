#pragma once
// The listener's Morse code written out as it is decided, as Morse code or as
// text in the chosen alphabet, flushed at once.

#include <string>
#include <string_view>

#include "cli/byte_streams.h"
#include "engine/morse_table.h"
#include "shell/code_page.h"

// The listener's Morse code, out as it comes: as it is, or word by word
// through the table, each word converted as the Morse-to-text conversion
// converts a line (it gives one space for a word gap, as here).
class Listen_Output {
 public:
  Listen_Output(bool morse, int alphabet, Byte_Sink& sink);

  // `last`: the end of what is heard; the last word goes out, and the line ends.
  void add(const std::string& morse, bool last);
  bool failed() const { return output_.failed(); }
  // Whether any Morse code has come.
  bool any() const { return any_; }

 private:
  void word(std::string_view codes);

  bool morse_;
  Code_Page page_;
  TMorse_Code_Table table_;
  Output_Buffer output_;
  std::string pending_, converted_, text_;
  bool any_ = false;
};
