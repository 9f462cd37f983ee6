#include "engine/text_to_morse.h"

std::string text_line_to_morse(const TMorse_Code_Table& table, std::string line) {
  std::string out;
  out.reserve(line.size() * 4);
  for (char ch : line) {
    int c = static_cast<unsigned char>(ch);
    if (c >= 'a' && c <= 'z') c -= 'a' - 'A';
    if (c == 0) continue;  // byte 0 has no entry
    const std::string& code = table[c].Morse_Code;
    if (code.empty()) continue;
    out += code;
    out += ' ';
  }
  return out;
}
