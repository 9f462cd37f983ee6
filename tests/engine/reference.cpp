#include "tests/engine/reference.h"

#include <charconv>
#include <cstdint>
#include <stdexcept>

#include "engine/strutil.h"

namespace reference {

namespace {

// Position of the first occurrence counted from 1, 0 when there is none.
std::size_t pos(const std::string& needle, const std::string& haystack) {
  if (needle.empty() || needle.size() > haystack.size()) return 0;
  for (std::size_t i = 0; i + needle.size() <= haystack.size(); ++i) {
    if (haystack.compare(i, needle.size(), needle) == 0) return i + 1;
  }
  return 0;
}

std::string trim(const std::string& s) {
  std::size_t b = 0;
  std::size_t e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= 32) ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32) --e;
  return s.substr(b, e - b);
}

}  // namespace

std::string replace_all(std::string s, const std::string& find, const std::string& replace) {
  const std::string placeholder = STRUTIL_PLACEHOLDER;
  if (pos(find, replace) > 0) {
    if (pos(find, placeholder) > 0 || pos(placeholder, replace) > 0) {
      std::string out;
      while (std::size_t p = pos(find, s)) {
        out += s.substr(0, p - 1) + replace;
        s.erase(0, p - 1 + find.size());
      }
      return out + s;
    }
    return replace_all(replace_all(s, find, placeholder), placeholder, replace);
  }
  if (!s.empty() && !find.empty()) {
    const std::size_t max_length = s.size() * (replace.size() + 1);
    const std::size_t max_replacements = s.size() * (s.size() + 1);
    for (std::size_t n = 0; n < max_replacements; ++n) {
      const std::size_t p = pos(find, s);
      if (p == 0 || s.size() - find.size() + replace.size() > max_length) break;
      s.erase(p - 1, find.size());
      s.insert(p - 1, replace);
    }
  }
  return s;
}

int count_occurrences(std::string s, const std::string& find) {
  int count = 0;
  if (s.empty() || find.empty()) return 0;
  while (std::size_t p = pos(find, s)) {
    s.erase(p - 1, find.size());
    ++count;
  }
  return count;
}

std::string pad_right(std::string s, char fill, int width) {
  if (fill == '\0' || width == 0) return "";
  while (width > 0 && s.size() < static_cast<std::size_t>(width)) s += fill;
  return s;
}

std::string pad_centre(std::string s, char fill, int width) {
  if (fill == '\0' || width == 0) return "";
  const long long d = static_cast<long long>(width) - static_cast<long long>(s.size());
  if (d < 0) return pad_right(s, fill, width);
  for (long long i = 1; i <= d; ++i) s = i < d / 2 ? fill + s : s + fill;
  return s;
}

int lowest_code_for(const TMorse_Code_Table& table, const std::string& morse) {
  for (int c = 1; c <= 255; ++c) {
    if (!morse.empty() && table[c].Morse_Code == morse) return c;
  }
  return 0;
}

std::string morse_line_to_text(const TMorse_Code_Table& table, const std::string& line,
                               const std::function<void()>& after_token) {
  std::string rest = trim(line);
  std::string out;
  while (!rest.empty()) {
    std::size_t p = pos(" ", rest);
    if (p == 1) {
      out += " ";
      rest = trim(rest);
      p = pos(" ", rest);
    }
    std::string token;
    if (p == 0) {
      token = rest;
      rest.clear();
    } else {
      token = rest.substr(0, p - 1);
      rest = rest.substr(p);
    }
    token = trim(token);
    std::string result;
    if (token == "&") {
      result = "&";
    } else if (!token.empty()) {
      if (int c = lowest_code_for(table, token)) result = std::string(1, static_cast<char>(c));
    }
    out += result;
    out = replace_all(out, "&", ".");
    after_token();
  }
  return out;
}

std::string extract_integer(const std::string& s) {
  std::string remains = s;
  std::string others;
  for (char c : s) {
    if (std::string("+-0123456789").find(c) == std::string::npos) others += c;
  }
  for (char c : others) remains = replace_all(remains, std::string(1, c), "");
  for (std::size_t i = 1; i < remains.size(); ++i) {
    if (remains[i] == '+' || remains[i] == '-') remains[i] = 'a';
  }
  remains = replace_all(remains, "a", "");
  if (remains.empty()) return "0";
  const char* first = remains.data() + (remains[0] == '+' ? 1 : 0);
  const char* last = remains.data() + remains.size();
  std::int32_t value = 0;
  const auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || ptr != last || first == last) {
    return "'" + remains + "' is not a valid integer value";
  }
  return std::to_string(value);
}

std::string extract_integer_from_field(std::string s, const std::string& sep, int n) {
  for (int k = 1; k <= n - 1; ++k) {
    if (std::size_t p = pos(sep, s)) s.erase(0, p);
  }
  if (std::size_t p = pos(sep, s)) s = s.substr(0, p - 1);
  return extract_integer(s);
}

std::string text_line_to_morse(const TMorse_Code_Table& table, const std::string& line) {
  std::string out;
  for (char ch : line) {
    int c = static_cast<unsigned char>(ch);
    if (c >= 'a' && c <= 'z') c = c - 'a' + 'A';
    if (c == 0 || table[c].Morse_Code.empty()) continue;
    out = out + table[c].Morse_Code + " ";
  }
  return out;
}

}  // namespace reference
