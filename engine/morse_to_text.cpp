#include "engine/morse_to_text.h"

#include <bit>
#include <cstdint>
#include <cstring>
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

// A token that ends within the next eight bytes, read as one word: its end is the first
// space byte, it is plain when each of its bytes is "." (0x2E) or "-" (0x2D), and its direct
// key gathers bit 0 of each byte ("-" is odd). Letters are mostly one to six symbols, so this
// takes almost every token without a branch per byte. False when the word does not hold a
// whole token, and on big-endian machines.
bool packed_short_token(const char* text, std::size_t pos, std::size_t end, std::size_t& stop,
                        std::size_t& key, bool& plain) {
  if constexpr (std::endian::native != std::endian::little) return false;
  if (end - pos < 8) return false;
  constexpr std::uint64_t kOnes = 0x0101010101010101;
  std::uint64_t word;
  std::memcpy(&word, text + pos, 8);
  const std::uint64_t not_space = word ^ (kOnes * ' ');
  const std::uint64_t spaces = (not_space - kOnes) & ~not_space & (kOnes * 0x80);
  if (spaces == 0) return false;
  const int length = std::countr_zero(spaces) / 8;  // the first space is found exactly
  if (length == 0) return false;
  const std::uint64_t inside = ~std::uint64_t{0} >> (64 - 8 * length);
  // A byte below 0x2D borrows from the bytes above it, but is itself caught.
  plain = ((word - kOnes * 0x2D) & (kOnes * 0xFE) & inside) == 0;
  const std::uint64_t gathered = ((word & kOnes & inside) * 0x8040201008040201) >> 56;
  key = std::size_t{1} << length | gathered >> (8 - length);
  stop = pos + static_cast<std::size_t>(length);
  return true;
}

}  // namespace

// The rest of the line still to be read is always line[pos, end): a suffix of the trimmed
// line, so only its front ever needs trimming, and each byte is looked at a bounded number
// of times. A token is scanned once: while looking for its end, its "." and "-" are packed
// into the direct index's key, so a plain code needs no second look.
void append_morse_line_to_text(const TMorse_Code_Table& table, std::string_view line,
                               std::string& out, const std::function<void()>& after_token) {
  const std::string_view whole = trimmed(line);
  const char* const text = whole.data();
  std::size_t pos = 0;
  const std::size_t end = whole.size();
  while (pos < end) {
    if (text[pos] == ' ') {
      // Two or more spaces: a word gap, however wide, gives one space.
      out += ' ';
      while (pos < end && is_blank(text[pos])) ++pos;
    }
    std::size_t key = 1;
    bool plain = true;  // only "." and "-"
    std::size_t stop = pos;
    if (!packed_short_token(text, pos, end, stop, key, plain)) {
      for (; stop < end && text[stop] != ' '; ++stop) {
        const char symbol = text[stop];
        plain = plain && (symbol == '.' || symbol == '-');
        key = key << 1 | (symbol == '-' ? 1 : 0);
      }
    }
    const std::size_t length = stop - pos;
    int c = 0;
    if (plain && length <= TMorse_Code_Table::kDirect_Max_Length) {
      c = table.lowest_code_for_key(key);
    } else {
      const std::string_view token = trimmed(whole.substr(pos, length));
      c = token == "&" ? '&' : table.lowest_code_for(token);
    }
    // "&" always ends up as a full stop in the text.
    if (c != 0) out += c == '&' ? '.' : static_cast<char>(c);
    pos = stop < end ? stop + 1 : end;
    if (after_token) after_token();
  }
}

std::string morse_line_to_text(const TMorse_Code_Table& table, std::string line,
                               const std::function<void()>& after_token) {
  std::string out;
  out.reserve(line.size() / 2 + 1);  // every letter takes at least one byte and a space
  append_morse_line_to_text(table, line, out, after_token);
  return out;
}
