#pragma once
// The program's own launcher as its package puts it into the system's
// applications menu, and what the program's other launchers take from it.

#include <optional>
#include <string>

#include "platform/linux/desktop_entry.h"

struct Installed_Entry {
  std::string path;
  Desktop_Entry_Fields fields;
  std::optional<std::string> exec;  // unescaped, still quoted as written
};

// The first "applications/<desktop_id>" among the folders of XDG_DATA_DIRS
// (by default /usr/local/share and /usr/share): the one a menu shows for that
// id. None when no folder holds a readable one.
std::optional<Installed_Entry> find_installed_entry(const std::string& desktop_id);

// Whether the menu shows the entry and it starts the program at `target`:
// its Exec program, looked up through PATH when it names no folder, is the
// same file.
bool lists_program(const Installed_Entry& entry, const std::string& target);

// What a launcher of the program carries besides its command: the name,
// comment, icon, categories and search words of the installed entry, with
// their translations, or, without one, those the package installs.
Desktop_Entry_Fields program_launcher_fields(const std::optional<Installed_Entry>& installed);
