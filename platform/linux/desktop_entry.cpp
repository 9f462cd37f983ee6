#include "platform/linux/desktop_entry.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string_view>

namespace {

// The escapes of a desktop-entry string value.
std::string escape_string(const std::string& s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string unescape_string(const std::string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 == s.size()) {
      out += s[i];
      continue;
    }
    switch (s[++i]) {
      case 's':
        out += ' ';
        break;
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      case 'r':
        out += '\r';
        break;
      case '\\':
        out += '\\';
        break;
      default:
        out += '\\';
        out += s[i];
    }
  }
  return out;
}

// The command as one Exec argument: "%" doubled, and in double quotes with
// '"', '`', '$' and '\' escaped when it holds a reserved character.
std::string exec_argument(const std::string& command) {
  std::string arg;
  for (char c : command) arg += c == '%' ? std::string("%%") : std::string(1, c);
  if (!arg.empty() && arg.find_first_of(" \t\n\r\"'\\><~|&;$*?#()`=") == std::string::npos)
    return arg;
  std::string quoted = "\"";
  for (char c : arg) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

std::string folder_of(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool has_zero(const std::string& s) { return s.find('\0') != std::string::npos; }

}  // namespace

bool write_desktop_entry(const std::string& path, const std::string& name,
                         const std::string& command, mode_t mode) {
  if (has_zero(name) || has_zero(command)) return false;
  return replace_file(path, desktop_entry_text(name, command), mode);
}

bool write_send_to_script(const std::string& path, const std::string& command) {
  if (has_zero(command) || command.empty()) return false;
  return replace_file(path, send_to_script_text(command), 0755);
}

std::string send_to_script_text(const std::string& command) {
  std::string quoted = "'";
  for (char c : command) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  quoted += "'";
  // The chosen files are not passed on: the window takes none, and a file
  // whose name starts with "-" would read as an option.
  return "#!/bin/sh\nexec " + quoted + "\n";
}

bool replace_file(const std::string& path, const std::string& text, mode_t mode) {
  if (has_zero(path)) return false;
  std::string temp = folder_of(path) + "/.tapwrenz-XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) return false;
  bool ok = fchmod(fd, mode) == 0;
  for (size_t done = 0; ok && done < text.size();) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) done += static_cast<size_t>(n);
  }
  ok = ::close(fd) == 0 && ok;
  ok = ok && std::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

std::string desktop_entry_text(const std::string& name, const std::string& command) {
  return "[Desktop Entry]\nType=Application\nName=" + escape_string(name) +
         "\nExec=" + escape_string(exec_argument(command)) + "\n";
}

Desktop_Entry_Fields desktop_entry_fields_in(const std::string& text) {
  Desktop_Entry_Fields fields;
  std::set<std::string, std::less<>> seen;
  bool in_entry = false;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty() && line[0] == '[') {
      in_entry = line == "[Desktop Entry]";
      continue;
    }
    const std::size_t eq = line.find('=');
    if (!in_entry || eq == std::string_view::npos) continue;
    std::string_view key = line.substr(0, eq);
    while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) key.remove_suffix(1);
    if (!seen.emplace(key).second) continue;
    const std::size_t value = line.find_first_not_of(" \t", eq + 1);
    fields.emplace_back(key, value == std::string_view::npos ? "" : line.substr(value));
  }
  return fields;
}

std::optional<std::string> field_value(const Desktop_Entry_Fields& fields, const std::string& key) {
  for (const auto& [k, v] : fields)
    if (k == key) return v;
  return std::nullopt;
}

std::optional<std::string> desktop_entry_exec_in(const std::string& text) {
  const std::optional<std::string> exec = field_value(desktop_entry_fields_in(text), "Exec");
  if (!exec) return std::nullopt;
  return unescape_string(*exec);
}

bool writable_field(const std::string& key, const std::string& value) {
  const std::string breaks("\n\r\0", 3);
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  return !key.empty() && key[0] != '[' && key[0] != '#' && !blank(key.back()) &&
         key.find('=') == std::string::npos && key.find_first_of(breaks) == std::string::npos &&
         value.find_first_of(breaks) == std::string::npos && (value.empty() || !blank(value[0]));
}

std::string launcher_text(const Desktop_Entry_Fields& fields, const std::string& command) {
  std::string text = "[Desktop Entry]\nType=Application\n";
  std::set<std::string> written;
  for (const auto& [key, value] : fields) {
    if (!writable_field(key, value) || key == "Type" || key == "Exec" ||
        !written.insert(key).second)
      continue;
    text += key + "=" + value + "\n";
  }
  return text + "Exec=" + escape_string(exec_argument(command)) + "\n";
}

bool write_launcher(const std::string& path, const Desktop_Entry_Fields& fields,
                    const std::string& command, mode_t mode) {
  if (has_zero(command)) return false;
  return replace_file(path, launcher_text(fields, command), mode);
}

Desktop_Entry_Exec read_desktop_entry_exec(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
  std::ifstream file(path, std::ios::binary);
  if (!file) return {};
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return {true, desktop_entry_exec_in(text)};
}

std::string unquote_exec(const std::string& exec, bool first_argument_only) {
  std::string out;
  bool quoted = false;
  size_t i = first_argument_only ? exec.find_first_not_of(" \t") : 0;
  for (; i != std::string::npos && i < exec.size(); ++i) {
    const char c = exec[i];
    const char next = i + 1 < exec.size() ? exec[i + 1] : '\0';
    if (first_argument_only && !quoted && (c == ' ' || c == '\t')) break;
    if (c == '%' && next == '%') {
      out += '%';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (quoted && c == '\\' && next != '\0' && std::strchr("\"`$\\", next)) {
      out += next;
      ++i;
    } else {
      out += c;
    }
  }
  return out;
}
