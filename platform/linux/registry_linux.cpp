// The two registry keys the program uses, mapped onto the freedesktop folders.
//
// The machine-wide start-up key is the machine-wide autostart folder: each
// value NAME is the launcher NAME.desktop whose Exec line holds the value. As
// with the Windows key, only a user who may write there (root) can open it,
// and it is never created. The user's shell folder list is read-only and comes from
// the XDG folders. Every folder is taken from the environment, so tests point
// them at temp folders. Any other key is absent.

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fstream>

#include "platform/linux/desktop_entry.h"
#include "platform/registry.h"

namespace {

constexpr char kRun_Key[] = "software\\microsoft\\windows\\currentversion\\run";
constexpr char kShell_Folders_Key[] =
    "software\\microsoft\\windows\\currentversion\\explorer\\shell folders";

enum class Mapped_Key { None, Run, Shell_Folders };

std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

Mapped_Key mapped(Registry_Root root, const std::string& key) {
  const std::string k = lower(!key.empty() && key[0] == '\\' ? key.substr(1) : key);
  if (root == Registry_Root::Local_Machine && k == kRun_Key) return Mapped_Key::Run;
  if (root == Registry_Root::Current_User && k == kShell_Folders_Key)
    return Mapped_Key::Shell_Folders;
  return Mapped_Key::None;
}

std::string env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

std::string without_trailing_slashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string home_dir() {
  std::string home = env("HOME");
  if (home.empty()) {
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) home = pw->pw_dir;
  }
  return home;
}

// An XDG base folder: the variable when it holds an absolute path, otherwise
// the default under the home folder.
std::string xdg_base(const char* variable, const char* under_home) {
  const std::string v = env(variable);
  if (!v.empty() && v[0] == '/') return without_trailing_slashes(v);
  const std::string home = home_dir();
  return home.empty() ? "" : home + under_home;
}

// XDG_DESKTOP_DIR from user-dirs.dirs ("$HOME/..." or an absolute path in
// double quotes; the last valid line wins), else the variable of that name
// when it holds an absolute path, else ~/Desktop: the order xdg-user-dir
// takes them in.
std::string desktop_dir() {
  const std::string home = home_dir();
  std::string desktop = env("XDG_DESKTOP_DIR");
  if (desktop.empty() || desktop[0] != '/') desktop = home.empty() ? "" : home + "/Desktop";
  const std::string config = xdg_base("XDG_CONFIG_HOME", "/.config");
  if (config.empty()) return desktop;
  std::ifstream dirs(config + "/user-dirs.dirs");
  std::string line;
  while (std::getline(dirs, line)) {
    size_t i = line.find_first_not_of(" \t");
    const std::string name = "XDG_DESKTOP_DIR";
    if (i == std::string::npos || line.compare(i, name.size(), name) != 0) continue;
    i = line.find_first_not_of(" \t", i + name.size());
    if (i == std::string::npos || line[i] != '=') continue;
    i = line.find_first_not_of(" \t", i + 1);
    if (i == std::string::npos || line[i] != '"') continue;
    const size_t end = line.find('"', i + 1);
    if (end == std::string::npos) continue;
    const std::string path = line.substr(i + 1, end - i - 1);
    if (path.rfind("$HOME", 0) == 0 && (path.size() == 5 || path[5] == '/') && !home.empty()) {
      desktop = home + path.substr(5);
    } else if (!path.empty() && path[0] == '/') {
      desktop = path;
    }
  }
  return without_trailing_slashes(desktop);
}

std::optional<std::string> shell_folder(const std::string& name) {
  const std::string n = lower(name);
  std::string folder;
  if (n == "desktop") {
    folder = desktop_dir();
  } else if (n == "start menu") {
    folder = xdg_base("XDG_DATA_HOME", "/.local/share");
    if (!folder.empty()) folder += "/applications";
  } else if (n == "sendto") {
    folder = xdg_base("XDG_DATA_HOME", "/.local/share");
    if (!folder.empty()) folder += "/nautilus/scripts";
  }
  if (folder.empty()) return std::nullopt;
  return folder;
}

std::string autostart_dir() {
  const std::string dir = env("TAPWRENZ_AUTOSTART_DIR");
  return dir.empty() ? "/etc/xdg/autostart" : without_trailing_slashes(dir);
}

// Open with full access: a folder we may list, enter and write into.
bool autostart_open() {
  const std::string dir = autostart_dir();
  struct stat st {};
  return stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
         access(dir.c_str(), R_OK | W_OK | X_OK) == 0;
}

// A value name becomes one file name inside the folder, never a path.
bool valid_name(const std::string& name) {
  return !name.empty() && name.find_first_of(std::string("/\0", 2)) == std::string::npos;
}

std::string launcher_path(const std::string& name) {
  return autostart_dir() + "/" + name + ".desktop";
}

std::optional<std::string> read_launcher(const std::string& name) {
  if (!valid_name(name)) return std::nullopt;
  const Desktop_Entry_Exec entry = read_desktop_entry_exec(launcher_path(name));
  if (!entry.readable) return std::nullopt;
  // A launcher without a command: the value is there, empty.
  return entry.exec ? unquote_exec(*entry.exec, false) : std::string();
}

bool write_launcher(const std::string& name, const std::string& value) {
  return valid_name(name) && write_desktop_entry(launcher_path(name), name, value, 0644);
}

class Linux_Registry final : public Registry {
 public:
  bool key_exists(Registry_Root root, const std::string& key) override {
    switch (mapped(root, key)) {
      case Mapped_Key::Run:
        return autostart_open();
      case Mapped_Key::Shell_Folders:
        return true;
      case Mapped_Key::None:
        break;
    }
    return false;
  }

  std::optional<std::string> read_string(Registry_Root root, const std::string& key,
                                         const std::string& name) override {
    switch (mapped(root, key)) {
      case Mapped_Key::Run:
        return autostart_open() ? read_launcher(name) : std::nullopt;
      case Mapped_Key::Shell_Folders:
        return shell_folder(name);
      case Mapped_Key::None:
        break;
    }
    return std::nullopt;
  }

  bool write_string(Registry_Root root, const std::string& key, const std::string& name,
                    const std::string& value) override {
    return mapped(root, key) == Mapped_Key::Run && autostart_open() && write_launcher(name, value);
  }

  bool delete_value(Registry_Root root, const std::string& key, const std::string& name) override {
    if (mapped(root, key) != Mapped_Key::Run || !autostart_open()) return false;
    if (!valid_name(name)) return true;  // no launcher can have that name
    return ::unlink(launcher_path(name).c_str()) == 0 || errno == ENOENT;
  }
};

}  // namespace

std::unique_ptr<Registry> make_system_registry() { return std::make_unique<Linux_Registry>(); }
