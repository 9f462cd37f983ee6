// Shortcuts as freedesktop launchers: a ".desktop" file whose Exec line starts
// the target. Launchers are written executable, since desktops only start
// launchers that carry the executable bit. The send-to menu is the file
// manager's scripts folder, which takes scripts rather than launchers.

#include <memory>
#include <optional>
#include <string>

#include "platform/linux/desktop_entry.h"
#include "platform/shell_link.h"

namespace {

constexpr char kExtension[] = ".desktop";
constexpr mode_t kLauncher_Mode = 0755;

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

  bool save(const std::string& link_path, const std::string& target_path) override {
    if (link_path.empty() || link_path.back() == '/' || target_path.empty()) return false;
    return write_desktop_entry(link_path, shown_name(link_path), target_path, kLauncher_Mode);
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
