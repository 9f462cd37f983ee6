#include "shell/code_page.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace {

using Upper_Half = std::array<char16_t, 128>;  // characters of bytes 0x80..0xFF

// Bytes that Windows leaves undefined decode to the C1 control with the same number, so
// every byte has a character and every such character encodes back to its byte.
constexpr Upper_Half make_windows_1252() {
  constexpr char16_t x80_x9f[32] = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88
      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98
  };
  Upper_Half t{};
  for (int i = 0; i < 128; ++i) {
    t[i] = i < 32 ? x80_x9f[i] : static_cast<char16_t>(0x80 + i);  // A0..FF are Latin-1
  }
  return t;
}

constexpr Upper_Half windows_1252 = make_windows_1252();

// C0..DF are the capital letters and E0..FF the small ones, in alphabetical order without YO.
constexpr Upper_Half windows_1251 = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  // C0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,  // C8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,  // D0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,  // D8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,  // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,  // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,  // F8
};

struct Reverse_Entry {
  char16_t ch;
  std::uint8_t byte;
};
using Reverse_Table = std::array<Reverse_Entry, 128>;

// The upper half sorted by character, for a binary search when encoding.
constexpr Reverse_Table make_reverse(const Upper_Half& upper) {
  Reverse_Table r{};
  for (int i = 0; i < 128; ++i) r[i] = {upper[i], static_cast<std::uint8_t>(0x80 + i)};
  std::sort(r.begin(), r.end(), [](const auto& a, const auto& b) { return a.ch < b.ch; });
  return r;
}

constexpr Reverse_Table reverse_1252 = make_reverse(windows_1252);
constexpr Reverse_Table reverse_1251 = make_reverse(windows_1251);

const Upper_Half& upper_half(Code_Page cp) {
  return cp == Code_Page::Windows_1251 ? windows_1251 : windows_1252;
}

const Reverse_Table& reverse_table(Code_Page cp) {
  return cp == Code_Page::Windows_1251 ? reverse_1251 : reverse_1252;
}

constexpr char16_t first_control_picture = 0x2400;  // SYMBOL FOR NULL
constexpr char16_t delete_picture = 0x2421;         // SYMBOL FOR DELETE

}  // namespace

int code_page_byte(Code_Page cp, char32_t c) {
  if (c < 0x80) return static_cast<int>(c);
  if (c >= first_control_picture && c < first_control_picture + 0x20)
    return static_cast<int>(c - first_control_picture);
  if (c == delete_picture) return 0x7F;
  // Surrogates are never in the table, so they fall out here with everything else the code
  // page cannot hold.
  if (c > 0xFFFF) return -1;
  const Reverse_Table& reverse = reverse_table(cp);
  auto it = std::lower_bound(reverse.begin(), reverse.end(), c,
                             [](const Reverse_Entry& e, char32_t v) { return e.ch < v; });
  return it != reverse.end() && it->ch == c ? it->byte : -1;
}

std::string encode_to_code_page(Code_Page cp, std::u16string_view text) {
  // At most one byte per character: written straight into place, then cut
  // to what was written.
  std::string out(text.size(), '\0');
  char* next = out.data();
  for (char16_t c : text) {
    if (c < 0x80) {
      *next++ = static_cast<char>(c);
      continue;
    }
    const int byte = code_page_byte(cp, c);
    if (byte >= 0) *next++ = static_cast<char>(byte);
  }
  out.resize(static_cast<std::size_t>(next - out.data()));
  return out;
}

void decode_from_code_page(Code_Page cp, std::string_view bytes, bool control_pictures,
                           char16_t* out) {
  const Upper_Half& upper = upper_half(cp);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    char16_t c = b < 0x80 ? static_cast<char16_t>(b) : upper[b - 0x80];
    if (control_pictures) {
      if (b < 0x20)
        c = static_cast<char16_t>(first_control_picture + b);
      else if (b == 0x7F)
        c = delete_picture;
    }
    out[i] = c;
  }
}

std::u16string decode_from_code_page(Code_Page cp, std::string_view bytes, bool control_pictures) {
  std::u16string out(bytes.size(), u'\0');
  decode_from_code_page(cp, bytes, control_pictures, out.data());
  return out;
}

namespace {

// Beyond Unicode, so no code page holds it.
constexpr char32_t malformed = 0xFFFFFFFF;

// The character of the well-formed multi-byte sequence at utf8[at], with its length;
// `malformed` for anything else, which then counts as one byte.
char32_t next_utf8(std::string_view utf8, std::size_t at, std::size_t& length) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(utf8[at + i]); };
  const unsigned char lead = byte(0);
  length = 1;
  std::size_t n = 0;
  char32_t c = 0;
  char32_t lowest = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    n = 2, c = lead & 0x1F, lowest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    n = 3, c = lead & 0x0F, lowest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    n = 4, c = lead & 0x07, lowest = 0x10000;
  } else {
    return malformed;
  }
  if (utf8.size() - at < n) return malformed;
  for (std::size_t i = 1; i < n; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return malformed;
    c = c << 6 | (byte(i) & 0x3F);
  }
  if (c < lowest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return malformed;
  length = n;
  return c;
}

void append_utf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | c >> 6));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | c >> 12));
    out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// Length of the leading run of ASCII bytes, which both directions copy unchanged. Looked at
// eight bytes at a time: the command line runs every line through here.
std::size_t ascii_prefix(std::string_view s) {
  constexpr std::uint64_t high_bits = 0x8080808080808080;
  std::size_t i = 0;
  for (; i + 8 <= s.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, s.data() + i, 8);
    if ((word & high_bits) != 0) break;
  }
  while (i < s.size() && static_cast<unsigned char>(s[i]) < 0x80) ++i;
  return i;
}

}  // namespace

std::string encode_utf8_to_code_page(Code_Page cp, std::string_view utf8) {
  std::size_t at = ascii_prefix(utf8);
  std::string out(utf8.substr(0, at));
  while (at < utf8.size()) {
    std::size_t length = 1;
    const auto lead = static_cast<unsigned char>(utf8[at]);
    const char32_t c = lead < 0x80 ? lead : next_utf8(utf8, at, length);
    const int byte = code_page_byte(cp, c);
    if (byte >= 0) out.push_back(static_cast<char>(byte));
    at += length;
  }
  return out;
}

void append_code_page_as_utf8(Code_Page cp, std::string_view bytes, std::string& out) {
  std::size_t at = ascii_prefix(bytes);
  out.append(bytes.substr(0, at));
  if (at == bytes.size()) return;
  out.reserve(out.size() + (bytes.size() - at) * 3);
  const Upper_Half& upper = upper_half(cp);
  for (; at < bytes.size(); ++at) {
    const auto b = static_cast<unsigned char>(bytes[at]);
    append_utf8(out, b < 0x80 ? b : upper[b - 0x80]);
  }
}

std::string decode_code_page_to_utf8(Code_Page cp, std::string_view bytes) {
  std::string out;
  append_code_page_as_utf8(cp, bytes, out);
  return out;
}
