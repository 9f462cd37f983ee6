// Shortcuts as freedesktop launchers: a ".desktop" file whose Exec line starts
// the target and which carries the name and icon of the program's own menu
// entry. Launchers are written executable, since desktops only start
// launchers that carry the executable bit. The send-to menu is the file
// manager's scripts folder, which takes scripts rather than launchers.
//
// In the menu (the user's applications folder and the folders in it) a
// launcher's file name is its id, and a user's launcher hides every entry of
// the same id: one named as the package's entry would take its place. So a
// menu launcher gets an id of its own ("tapwrenz-shortcut.desktop"), and none
// is written at all where the package's entry already lists the same
// program: the menu then shows the program once, with its icon.

#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

#include "platform/linux/desktop_entry.h"
#include "platform/linux/menu_entry.h"
#include "platform/shell_link.h"

namespace {

constexpr char kExtension[] = ".desktop";
constexpr char kMenu_Extension[] = "-shortcut.desktop";
// The id of the menu entry the package installs.
constexpr char kProgram_Entry[] = "tapwrenz.desktop";
constexpr mode_t kLauncher_Mode = 0755;

// The launcher's file name without its extension: the name a desktop shows.
std::string shown_name(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const size_t point = name.find_last_of('.');
  if (point != std::string::npos && point > 0) name.erase(point);
  return name;
}

bool valid(const std::string& link_path, const std::string& target_path) {
  return !link_path.empty() && link_path.back() != '/' && !target_path.empty();
}

class Linux_Shell_Links final : public Shell_Links {
 public:
  std::string extension() const override { return kExtension; }

  bool save(const std::string& link_path, const std::string& target_path) override {
    if (!valid(link_path, target_path)) return false;
    return write_launcher(link_path, program_launcher_fields(find_installed_entry(kProgram_Entry)),
                          target_path, kLauncher_Mode);
  }

  std::string menu_extension() const override { return kMenu_Extension; }

  bool save_menu(const std::string& link_path, const std::string& target_path) override {
    if (!valid(link_path, target_path)) return false;
    const std::optional<Installed_Entry> installed = find_installed_entry(kProgram_Entry);
    if (installed && lists_program(*installed, target_path)) return true;
    return write_launcher(link_path, program_launcher_fields(installed), target_path,
                          kLauncher_Mode);
  }

  // Earlier menu launchers were "tapwrenz.desktop" holding only the type, the
  // name of the file and the command, and hid the package's entry. Only that
  // exact text counts: a launcher a user wrote or edited is never taken.
  bool is_former_menu_link(const std::string& link_path, const std::string& target_path) override {
    struct stat st {};
    if (stat(link_path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    std::ifstream file(link_path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    return text == desktop_entry_text(shown_name(link_path), target_path);
  }

  // The file manager runs the executable files of its scripts folder with the
  // chosen files, listing each under its file name: a shell script named as
  // the program.
  std::string send_to_extension() const override { return ""; }

  bool save_send_to(const std::string& link_path, const std::string& target_path) override {
    if (link_path.empty() || link_path.back() == '/') return false;
    return write_send_to_script(link_path, target_path);
  }

  std::optional<std::string> target_of(const std::string& link_path) override {
    const Desktop_Entry_Exec entry = read_desktop_entry_exec(link_path);
    if (!entry.exec) return std::nullopt;
    std::string program = unquote_exec(*entry.exec, true);
    if (program.empty()) return std::nullopt;
    return program;
  }
};

}  // namespace

std::unique_ptr<Shell_Links> make_system_shell_links() {
  return std::make_unique<Linux_Shell_Links>();
}
