#include "engine/morse_to_text.h"

#include <string_view>

namespace {

bool is_blank(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string_view trimmed(std::string_view s) {
  std::size_t b = 0;
  std::size_t e = s.size();
  while (b < e && is_blank(s[b])) ++b;
  while (e > b && is_blank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

}  // namespace

// The rest of the line still to be read is always line[pos, end): a suffix of the trimmed
// line, so only its front ever needs trimming, and each byte is looked at a bounded number
// of times.
std::string morse_line_to_text(const TMorse_Code_Table& table, std::string line,
                               const std::function<void()>& after_token) {
  const std::string_view whole = trimmed(line);
  std::string out;
  std::size_t pos = 0;
  const std::size_t end = whole.size();
  while (pos < end) {
    std::size_t space = whole.find(' ', pos);
    if (space == pos) {
      // Two or more spaces: a word gap, however wide, gives one space.
      out += ' ';
      while (pos < end && is_blank(whole[pos])) ++pos;
      space = whole.find(' ', pos);
    }
    std::string_view token;
    if (space == std::string_view::npos) {
      token = whole.substr(pos, end - pos);
      pos = end;
    } else {
      token = whole.substr(pos, space - pos);
      pos = space + 1;
    }
    token = trimmed(token);
    if (token == "&") {
      out += '.';
    } else if (const int c = table.lowest_code_for(token); c != 0) {
      // "&" always ends up as a full stop in the text.
      out += c == '&' ? '.' : static_cast<char>(c);
    }
    if (after_token) after_token();
  }
  return out;
}
