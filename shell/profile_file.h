#pragma once
// Reading and writing single keys of a profile (INI) file: "[section]" header
// lines, "key=value" lines, CRLF line ends. Section and key names match
// without regard to ASCII letter case. Standard library only, so that every
// platform reads and writes the same bytes.
//
// Reading: names and values are taken with surrounding blanks removed, and a
// value wrapped in one pair of matching quotes (' or ") loses that pair. Lines
// before the first section header and lines without '=' hold no key; a comment
// line (";...") holds none that anyone looks up, since its name starts with
// ';'. With a section or key given more than once, the first one counts.
//
// Writing changes one key and keeps every other byte of the file: an existing
// key has its line replaced by "key=value" in the file's own spelling of the
// name, keeping that line's own line end; a new key goes right after the last
// non-blank line of its section; a new section goes at the end of the file. A
// line the writer adds ends with CRLF, and a file whose last line had no line
// end gets a CRLF before anything is added after it.

#include <optional>
#include <string>

inline constexpr std::size_t profile_value_max_length = 2047;

// The value of `key` in `section`, or `default_value` when the file, section or
// key is missing or the file cannot be read; at most 2047 characters either way.
std::string read_profile_string(const std::string& path, const std::string& section,
                                const std::string& key, const std::string& default_value);

// The value as a whole number: decimal with an optional sign, or "0x"/"0X" and
// hex digits taken as a 32-bit pattern ("0xFFFFFFFF" is -1). Anything else,
// including an empty value, trailing text or hex longer than 32 bits, gives
// `default_value`. Decimal beyond the int range stops at the nearer limit.
int read_profile_int(const std::string& path, const std::string& section, const std::string& key,
                     int default_value);

// Sets `key` in `section` to `value`, creating file and section as needed.
// The new file is written beside the old one and renamed over it, so the file
// is either the old or the new one, never a mix. False, with the file as it
// was, when it cannot be written: a missing or unwritable folder, a read-only
// file, a path that is a folder. Also false, writing nothing, for names or a
// value the format cannot hold: a line break or NUL anywhere, '=' in the key or
// a key starting with '[', ']' in the section name, an empty or blank-edged
// name.
bool write_profile_string(const std::string& path, const std::string& section,
                          const std::string& key, const std::string& value);

// The same reading and writing on the file's bytes held in memory. The text
// with the key set is nullopt where write_profile_string refuses the names or
// the value.
std::string profile_string_in(const std::string& bytes, const std::string& section,
                              const std::string& key, const std::string& default_value);
int profile_int_in(const std::string& bytes, const std::string& section, const std::string& key,
                   int default_value);
std::optional<std::string> profile_with_key_set(const std::string& bytes,
                                                const std::string& section, const std::string& key,
                                                const std::string& value);
