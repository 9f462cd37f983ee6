#pragma once
// Freedesktop launchers (".desktop" files) of one command, as both the
// autostart entries and the shortcuts are kept on this system.

#include <sys/types.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

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

// Keys of a launcher's [Desktop Entry] group with their values as written
// (escapes kept), in the order of the file; a key given twice keeps its
// first value, as the Exec reader does.
using Desktop_Entry_Fields = std::vector<std::pair<std::string, std::string>>;
Desktop_Entry_Fields desktop_entry_fields_in(const std::string& text);
// The value of `key`, as written; none when the group lacks it.
std::optional<std::string> field_value(const Desktop_Entry_Fields& fields, const std::string& key);

// Whether a key and value read back as written from one "key=value" line of
// the [Desktop Entry] group: no line break or byte 0 in either, a key that is
// neither a group header nor a comment and holds no "=", no blank where the
// reader trims one.
bool writable_field(const std::string& key, const std::string& value);

// A launcher of the program that starts `command`: Type, then `fields` as
// they are (values as written, so a copied list keeps its escapes), then the
// Exec line. A field that is not writable, or whose key is Type or Exec, is
// left out. False from the writer as for
// write_desktop_entry.
std::string launcher_text(const Desktop_Entry_Fields& fields, const std::string& command);
bool write_launcher(const std::string& path, const Desktop_Entry_Fields& fields,
                    const std::string& command, mode_t mode);

// The Exec value with its quoting and "%%" undone. With `first_argument_only`
// leading blanks are skipped and the text ends at the first unquoted blank;
// otherwise the text outside quotes is kept as it stands.
std::string unquote_exec(const std::string& exec, bool first_argument_only);
