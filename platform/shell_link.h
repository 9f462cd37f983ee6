#pragma once
// Shortcut files that start a program.

#include <memory>
#include <optional>
#include <string>

class Shell_Links {
 public:
  virtual ~Shell_Links() = default;
  // The file name extension of a shortcut on this system, with its point.
  virtual std::string extension() const = 0;
  // Saves a shortcut at link_path that starts target_path, carrying the
  // program's name and icon where this system's shortcuts show them; an
  // existing file of that name is overwritten.
  virtual bool save(const std::string& link_path, const std::string& target_path) = 0;
  // The program a shortcut starts; nothing when it cannot be read.
  virtual std::optional<std::string> target_of(const std::string& link_path) = 0;

  // An entry of the file manager's "send to" menu, which starts the target
  // with the chosen files. Where that menu takes the same shortcuts as the
  // desktop, these are the ones above.
  virtual std::string send_to_extension() const { return extension(); }
  virtual bool save_send_to(const std::string& link_path, const std::string& target_path) {
    return save(link_path, target_path);
  }

  // An entry of the system's menu (the start menu folder or a folder in it).
  // menu_extension is what follows the program's name in its file name.
  // Where the program's own menu entry already starts target_path, save_menu
  // may leave the menu as it is and still succeed, so that the program is
  // not listed twice.
  virtual std::string menu_extension() const { return extension(); }
  virtual bool save_menu(const std::string& link_path, const std::string& target_path) {
    return save(link_path, target_path);
  }
  // Where menu entries were once named as the shortcuts elsewhere: whether
  // the file at link_path is such an entry for target_path, exactly as it was
  // written then, so that deleting the program's menu entry takes it too.
  virtual bool is_former_menu_link(const std::string& /*link_path*/,
                                   const std::string& /*target_path*/) {
    return false;
  }
};

std::unique_ptr<Shell_Links> make_system_shell_links();
