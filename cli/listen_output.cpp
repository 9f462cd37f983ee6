#include "cli/listen_output.h"

#include "shell/area_conversion.h"

Listen_Output::Listen_Output(bool morse, int alphabet, Byte_Sink& sink)
    : morse_(morse), page_(code_page_of_alphabet(alphabet)), output_(sink) {
  Build_Morse_Code_Table(table_, alphabet);
}

void Listen_Output::add(const std::string& morse, bool last) {
  if (!morse.empty()) any_ = true;
  if (morse_) {
    output_.append(morse);
  } else {
    pending_ += morse;
    for (std::size_t gap; (gap = pending_.find("   ")) != std::string::npos;) {
      word(std::string_view(pending_).substr(0, gap));
      output_.append(" ");
      pending_.erase(0, gap + 3);
    }
    if (last) word(pending_);
  }
  if (last && any_) output_.append("\n");
  output_.flush();
}

void Listen_Output::word(std::string_view codes) {
  converted_.clear();
  append_converted_line(Conversion::Morse_to_Text, table_, codes, converted_);
  text_.clear();
  append_code_page_as_utf8(page_, converted_, text_);
  output_.append(text_);
}
