#pragma once
// Freedesktop launchers (".desktop" files) of one command, as both the
// autostart entries and the shortcuts are kept on this system.

#include <sys/types.h>

#include <optional>
#include <string>

// Writes a launcher named `name` that starts `command` (one argument, quoted
// as the Exec rules want). The file is replaced whole, through a temp file in
// the same folder, so a failed write never leaves a partly written one. False
// when it cannot be written or when a text holds a byte 0.
bool write_desktop_entry(const std::string& path, const std::string& name,
                         const std::string& command, mode_t mode);

// Writes the file manager's send-to entry at `path`: an executable shell
// script that starts `command`, replaced whole like a launcher.
bool write_send_to_script(const std::string& path, const std::string& command);
std::string send_to_script_text(const std::string& command);

// Replaces the file at `path` with `text` and gives it `mode`, through a temp
// file in the same folder renamed into place. False when that fails.
bool replace_file(const std::string& path, const std::string& text, mode_t mode);

struct Desktop_Entry_Exec {
  bool readable = false;            // a regular file that could be opened
  std::optional<std::string> exec;  // the Exec value, unescaped; none without one
};

// The Exec value of the launcher's [Desktop Entry] group, its string escapes
// undone but still quoted as written.
Desktop_Entry_Exec read_desktop_entry_exec(const std::string& path);

// The same two on a launcher's text held in memory: the text that
// write_desktop_entry writes, and the Exec value read from a text.
std::string desktop_entry_text(const std::string& name, const std::string& command);
std::optional<std::string> desktop_entry_exec_in(const std::string& text);

// The Exec value with its quoting and "%%" undone. With `first_argument_only`
// leading blanks are skipped and the text ends at the first unquoted blank;
// otherwise the text outside quotes is kept as it stands.
std::string unquote_exec(const std::string& exec, bool first_argument_only);
