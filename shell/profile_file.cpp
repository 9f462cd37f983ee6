#include "shell/profile_file.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <sstream>
#include <string_view>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view crlf = "\r\n";
constexpr std::string_view utf8_mark = "\xEF\xBB\xBF";

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  return s;
}

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool same_name(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// One line of the file: its text and the line end that followed it ("\r\n",
// "\n", or nothing for a last line without one).
struct Line {
  std::string text;
  std::string end;
};

enum class Line_Kind { Other, Section, Key };

struct Parsed_Line {
  Line_Kind kind = Line_Kind::Other;
  std::string_view name;   // section or key name, blanks removed
  std::string_view value;  // key value, blanks removed
};

Parsed_Line parse(std::string_view text) {
  const std::string_view t = trimmed(text);
  if (t.empty()) return {};
  if (t.front() == '[') {
    const std::size_t close = t.rfind(']');
    if (close == std::string_view::npos) return {};
    return {Line_Kind::Section, trimmed(t.substr(1, close - 1)), {}};
  }
  const std::size_t equals = t.find('=');
  if (equals == std::string_view::npos) return {};
  const std::string_view name = trimmed(t.substr(0, equals));
  if (name.empty()) return {};
  return {Line_Kind::Key, name, trimmed(t.substr(equals + 1))};
}

std::vector<Line> split_lines(const std::string& bytes) {
  std::vector<Line> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t lf = bytes.find('\n', start);
    if (lf == std::string::npos) {
      lines.push_back({bytes.substr(start), ""});
      break;
    }
    const bool cr = lf > start && bytes[lf - 1] == '\r';
    const std::size_t text_end = cr ? lf - 1 : lf;
    lines.push_back({bytes.substr(start, text_end - start), cr ? "\r\n" : "\n"});
    start = lf + 1;
  }
  return lines;
}

// The text of line `i` as the parser sees it: a byte-order mark at the very
// start of the file is not part of the first line.
std::string_view parse_text(const std::vector<Line>& lines, std::size_t i) {
  std::string_view text = lines[i].text;
  if (i == 0 && text.substr(0, utf8_mark.size()) == utf8_mark) text.remove_prefix(utf8_mark.size());
  return text;
}

// Where a key sits in the parsed lines.
struct Key_Place {
  std::optional<std::size_t> section;  // header line of the first matching section
  std::optional<std::size_t> key;      // line of the first matching key in it
  std::size_t last_filled = 0;         // last non-blank line of that section
};

Key_Place find_key(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
  Key_Place place;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const Parsed_Line line = parse(parse_text(lines, i));
    if (!place.section) {
      if (line.kind == Line_Kind::Section && same_name(line.name, section)) {
        place.section = i;
        place.last_filled = i;
      }
      continue;
    }
    if (line.kind == Line_Kind::Section) break;
    if (!trimmed(lines[i].text).empty()) place.last_filled = i;
    if (!place.key && line.kind == Line_Kind::Key && same_name(line.name, key)) place.key = i;
  }
  return place;
}

std::optional<std::string> read_bytes(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

std::string unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value.substr(0, profile_value_max_length));
}

bool holds_line_break_or_nul(std::string_view s) {
  return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool valid_name(std::string_view name) {
  return !name.empty() && !is_blank(name.front()) && !is_blank(name.back()) &&
         !holds_line_break_or_nul(name);
}

std::string joined(const std::vector<Line>& lines) {
  std::string bytes;
  for (const Line& line : lines) bytes += line.text + line.end;
  return bytes;
}

std::string with_key_set(const std::string& old_bytes, const std::string& section,
                         const std::string& key, const std::string& value) {
  std::vector<Line> lines = split_lines(old_bytes);
  const Key_Place place = find_key(lines, section, key);
  if (place.key) {
    Line& line = lines[*place.key];
    const std::string name(parse(parse_text(lines, *place.key)).name);
    line.text = name + "=" + value;
  } else if (place.section) {
    Line& after = lines[place.last_filled];
    if (after.end.empty()) after.end = crlf;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(place.last_filled) + 1,
                 Line{key + "=" + value, std::string(crlf)});
  } else {
    if (!lines.empty() && lines.back().end.empty()) lines.back().end = crlf;
    lines.push_back({"[" + section + "]", std::string(crlf)});
    lines.push_back({key + "=" + value, std::string(crlf)});
  }
  return joined(lines);
}

// A name beside `target` that no file has yet.
std::optional<fs::path> unused_temp_name(const fs::path& target) {
  std::uint64_t seed = static_cast<std::uint64_t>(
      std::chrono::high_resolution_clock::now().time_since_epoch().count());
  try {
    std::random_device device;
    seed ^= (static_cast<std::uint64_t>(device()) << 32) | device();
  } catch (...) {
    // The clock alone is enough to keep the name apart from other writers.
  }
  std::mt19937_64 random(seed);
  for (int attempt = 0; attempt < 16; ++attempt) {
    std::ostringstream name;
    name << target.filename().string() << "." << std::hex << random() << ".tmp";
    fs::path candidate = target.parent_path() / name.str();
    std::error_code ec;
    if (fs::symlink_status(candidate, ec).type() == fs::file_type::not_found) return candidate;
  }
  return std::nullopt;
}

bool write_whole(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.flush();
  const bool written = static_cast<bool>(out);
  out.close();
  return written && !out.fail();
}

// Writes `bytes` to a new file in the target's folder and renames it over the
// target, so that a failure at any point leaves the target as it was.
bool replace_file(const fs::path& target, const std::string& bytes,
                  std::optional<fs::perms> keep_perms) {
  const std::optional<fs::path> temp = unused_temp_name(target);
  if (!temp) return false;
  std::error_code ec;
  bool done = write_whole(*temp, bytes);
  if (done && keep_perms) fs::permissions(*temp, *keep_perms, ec);
  if (done) {
    fs::rename(*temp, target, ec);
    done = !ec;
  }
  if (!done) fs::remove(*temp, ec);
  return done;
}

// Stops at the nearer int limit; false when `digits` holds anything but digits.
bool parse_decimal(std::string_view digits, bool negative, int& result) {
  if (digits.empty()) return false;
  long long magnitude = 0;
  const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    magnitude = std::min(limit, magnitude * 10 + (c - '0'));
  }
  result = static_cast<int>(negative ? -magnitude : magnitude);
  return true;
}

bool parse_hex(std::string_view digits, int& result) {
  if (digits.empty()) return false;
  std::uint64_t bits = 0;
  for (char c : digits) {
    const char l = lower(c);
    int digit;
    if (l >= '0' && l <= '9') {
      digit = l - '0';
    } else if (l >= 'a' && l <= 'f') {
      digit = l - 'a' + 10;
    } else {
      return false;
    }
    bits = bits * 16 + static_cast<std::uint64_t>(digit);
    if (bits > UINT32_MAX) return false;
  }
  result = static_cast<int>(static_cast<std::uint32_t>(bits));
  return true;
}

// The value's text as a whole number (see read_profile_int).
int int_value(std::string_view t, int default_value) {
  int result = 0;
  if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
    return parse_hex(t.substr(2), result) ? result : default_value;
  }
  bool negative = false;
  if (!t.empty() && (t.front() == '-' || t.front() == '+')) {
    negative = t.front() == '-';
    t.remove_prefix(1);
  }
  return parse_decimal(t, negative, result) ? result : default_value;
}

// Names and a value the format can hold.
bool writable(const std::string& section, const std::string& key, const std::string& value) {
  return valid_name(section) && section.find(']') == std::string::npos && valid_name(key) &&
         key.find('=') == std::string::npos && key.front() != '[' &&
         !holds_line_break_or_nul(value);
}

}  // namespace

std::string profile_string_in(const std::string& bytes, const std::string& section,
                              const std::string& key, const std::string& default_value) {
  const std::vector<Line> lines = split_lines(bytes);
  const Key_Place place = find_key(lines, section, key);
  if (!place.key) return default_value.substr(0, profile_value_max_length);
  return unquoted(parse(parse_text(lines, *place.key)).value);
}

int profile_int_in(const std::string& bytes, const std::string& section, const std::string& key,
                   int default_value) {
  // A text longer than the string limit is cut there, as any reader of the
  // value would see it.
  return int_value(profile_string_in(bytes, section, key, ""), default_value);
}

std::optional<std::string> profile_with_key_set(const std::string& bytes,
                                                const std::string& section, const std::string& key,
                                                const std::string& value) {
  if (!writable(section, key, value)) return std::nullopt;
  return with_key_set(bytes, section, key, value);
}

std::string read_profile_string(const std::string& path, const std::string& section,
                                const std::string& key, const std::string& default_value) {
  const std::optional<std::string> bytes = read_bytes(fs::path(path));
  return profile_string_in(bytes ? *bytes : std::string(), section, key, default_value);
}

int read_profile_int(const std::string& path, const std::string& section, const std::string& key,
                     int default_value) {
  const std::optional<std::string> bytes = read_bytes(fs::path(path));
  return profile_int_in(bytes ? *bytes : std::string(), section, key, default_value);
}

bool write_profile_string(const std::string& path, const std::string& section,
                          const std::string& key, const std::string& value) {
  if (!writable(section, key, value)) return false;
  const fs::path target(path);
  std::error_code ec;
  const fs::file_status status = fs::status(target, ec);
  std::string old_bytes;
  std::optional<fs::perms> perms;
  if (fs::exists(status)) {
    if (!fs::is_regular_file(status)) return false;
    // A read-only file stays as it is, even for a user the system would let
    // replace it.
    if ((status.permissions() & fs::perms::owner_write) == fs::perms::none) return false;
    std::optional<std::string> bytes = read_bytes(target);
    if (!bytes) return false;
    old_bytes = std::move(*bytes);
    perms = status.permissions();
  } else if (status.type() != fs::file_type::not_found) {
    return false;  // the file system could not tell
  }
  const std::string new_bytes = with_key_set(old_bytes, section, key, value);
  if (perms && new_bytes == old_bytes) return true;
  return replace_file(target, new_bytes, perms);
}
