// The settings file's reader and writer on any file contents: read every key,
// set one, read again. The key set reads back as its value (as the reader
// takes values: blanks at the edges and one pair of quotes removed, at most
// 2047 bytes), every other key reads as before, and setting the same value
// again changes no byte. The input is the section, the key and the value
// (each ended by a backslash and one more byte, "\\" standing for a
// backslash), then the file.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "shell/profile_file.h"

namespace {

constexpr char kAbsent[] = "\x01(absent)";

void fail(const char* what, const std::string& section, const std::string& key) {
  std::fprintf(stderr, "%s: [%s] %s\n", what, section.c_str(), key.c_str());
  std::abort();
}

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  return s;
}

std::string as_read(std::string_view value) {
  value = trimmed(value);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return std::string(value.substr(0, profile_value_max_length));
}

bool same_name(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

void add_name(std::vector<std::string>& names, std::string_view name) {
  if (names.size() < 6) names.emplace_back(name);
}

// Names that look like sections and keys, roughly as the reader sees them;
// only the names come from here, every value from the reader itself.
void collect_names(const std::string& bytes, std::vector<std::string>& sections,
                   std::vector<std::string>& keys) {
  for (std::size_t start = 0; start < bytes.size();) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    const std::string_view line = trimmed(std::string_view(bytes).substr(start, end - start));
    start = end + 1;
    if (!line.empty() && line.front() == '[') {
      const std::size_t close = line.rfind(']');
      if (close != std::string_view::npos) add_name(sections, trimmed(line.substr(1, close - 1)));
    } else if (const std::size_t eq = line.find('='); eq != std::string_view::npos) {
      add_name(keys, trimmed(line.substr(0, eq)));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string section = in.ConsumeRandomLengthString(24);
  const std::string key = in.ConsumeRandomLengthString(24);
  const std::string value = in.ConsumeRandomLengthString(2100);
  const std::string before = in.ConsumeRemainingBytesAsString();

  const std::optional<std::string> after = profile_with_key_set(before, section, key, value);
  if (!after) return 0;
  if (profile_string_in(*after, section, key, kAbsent) != as_read(value))
    fail("the key set does not read back", section, key);
  if (profile_with_key_set(*after, section, key, value) != after)
    fail("setting the same value again changes the file", section, key);

  std::vector<std::string> sections{section};
  std::vector<std::string> keys{key};
  collect_names(before, sections, keys);
  for (const std::string& s : sections) {
    for (const std::string& k : keys) {
      if (same_name(s, section) && same_name(k, key)) continue;
      if (profile_string_in(before, s, k, kAbsent) != profile_string_in(*after, s, k, kAbsent))
        fail("another key changed", s, k);
    }
  }

  // Whole numbers, decimal and hex, read back as written.
  const int number = static_cast<int>(std::hash<std::string>{}(value));
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%X", static_cast<unsigned>(number));
  for (const std::string& text : {std::to_string(number), std::string(hex)}) {
    const std::optional<std::string> with_number = profile_with_key_set(before, section, key, text);
    if (!with_number || profile_int_in(*with_number, section, key, number ^ 1) != number)
      fail("a number does not read back", section, key);
  }
  return 0;
}
