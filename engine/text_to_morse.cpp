#include "engine/text_to_morse.h"

#include <cstring>

// One pass to size the output, one to fill it: every byte is one look-up in
// the table's per-byte codes.
std::string text_line_to_morse(const TMorse_Code_Table& table, std::string line) {
  const std::array<std::string_view, 256>& codes = table.text_codes();
  std::size_t size = 0;
  for (const char ch : line) {
    const std::string_view code = codes[static_cast<unsigned char>(ch)];
    if (!code.empty()) size += code.size() + 1;
  }
  std::string out(size, ' ');
  char* at = out.data();
  for (const char ch : line) {
    const std::string_view code = codes[static_cast<unsigned char>(ch)];
    if (code.empty()) continue;
    std::memcpy(at, code.data(), code.size());
    at += code.size() + 1;  // the space after it is already there
  }
  return out;
}
