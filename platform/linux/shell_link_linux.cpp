// Shortcuts as freedesktop launchers: a ".desktop" file whose Exec line starts
// the target. Launchers are written executable, since desktops only start
// launchers that carry the executable bit.

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "platform/shell_link.h"

namespace {

constexpr char kExtension[] = ".desktop";
constexpr mode_t kLauncher_Mode = 0755;

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

// The path as one Exec argument: "%" doubled, and in double quotes with '"',
// '`', '$' and '\' escaped when it holds a reserved character.
std::string exec_argument(const std::string& path) {
  std::string arg;
  for (char c : path) arg += c == '%' ? std::string("%%") : std::string(1, c);
  if (!arg.empty() && arg.find_first_of(" \t\n\r\"'\\><~|&;$*?#()`=") == std::string::npos)
    return arg;
  std::string quoted = "\"";
  for (char c : arg) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

// The program of an Exec line: its first argument, unquoted, with "%%" made
// "%" again. Empty when the line holds no argument.
std::string exec_program(const std::string& exec) {
  std::string out;
  bool quoted = false;
  size_t i = exec.find_first_not_of(" \t");
  for (; i != std::string::npos && i < exec.size(); ++i) {
    const char c = exec[i];
    const char next = i + 1 < exec.size() ? exec[i + 1] : '\0';
    if (!quoted && (c == ' ' || c == '\t')) break;
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

std::string folder_of(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The launcher's file name without its extension: the name a desktop shows.
std::string shown_name(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const size_t point = name.find_last_of('.');
  if (point != std::string::npos && point > 0) name.erase(point);
  return name;
}

class Linux_Shell_Links final : public Shell_Links {
 public:
  std::string extension() const override { return kExtension; }

  // Replaces the launcher whole, through a temp file in the same folder, so a
  // failed write never leaves a partly written one behind.
  bool save(const std::string& link_path, const std::string& target_path) override {
    if (link_path.empty() || link_path.back() == '/' || link_path.find('\0') != std::string::npos ||
        target_path.empty() || target_path.find('\0') != std::string::npos)
      return false;
    const std::string text =
        "[Desktop Entry]\nType=Application\nName=" + escape_string(shown_name(link_path)) +
        "\nExec=" + escape_string(exec_argument(target_path)) + "\n";
    std::string temp = folder_of(link_path) + "/.tapwrenz-link-XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) return false;
    bool ok = fchmod(fd, kLauncher_Mode) == 0;
    for (size_t done = 0; ok && done < text.size();) {
      const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
      if (n < 0 && errno == EINTR) continue;
      ok = n > 0;
      if (ok) done += static_cast<size_t>(n);
    }
    ok = ::close(fd) == 0 && ok;
    ok = ok && std::rename(temp.c_str(), link_path.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
  }

  std::optional<std::string> target_of(const std::string& link_path) override {
    struct stat st {};
    if (stat(link_path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    std::ifstream file(link_path, std::ios::binary);
    if (!file) return std::nullopt;
    std::string line;
    bool in_entry = false;
    while (std::getline(file, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty() && line[0] == '[') {
        in_entry = line == "[Desktop Entry]";
        continue;
      }
      const size_t eq = line.find('=');
      if (!in_entry || eq == std::string::npos) continue;
      std::string key = line.substr(0, eq);
      key.erase(key.find_last_not_of(" \t") + 1);
      if (key != "Exec") continue;
      const std::string program = exec_program(unescape_string(line.substr(eq + 1)));
      if (program.empty()) return std::nullopt;
      return program;
    }
    return std::nullopt;
  }
};

}  // namespace

std::unique_ptr<Shell_Links> make_system_shell_links() {
  return std::make_unique<Linux_Shell_Links>();
}
