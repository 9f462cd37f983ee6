#include "platform/linux/menu_entry.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>
#include <vector>

namespace {

// The looks of the launcher the package installs (assets/tapwrenz.desktop; a
// test keeps the two equal), for a program run from its own folder.
const Desktop_Entry_Fields kPackaged_Fields = {
    {"Name", "Tapwren"},
    {"GenericName", "Morse Code Converter"},
    {"Comment", "Convert text to Morse code and back, play it as sound and key it with the mouse"},
    {"Icon", "tapwrenz"},
    {"Categories", "Education;HamRadio;"},
    {"Keywords", "Morse;CW;telegraphy;amateur radio;"},
};

constexpr std::array<std::string_view, 6> kLooks = {"Name", "GenericName", "Comment",
                                                    "Icon", "Categories",  "Keywords"};

// "Name" and its translations such as "Name[de]".
bool is_look(const std::string& key) {
  const std::string_view base = std::string_view(key).substr(0, key.find('['));
  for (std::string_view look : kLooks)
    if (base == look) return true;
  return false;
}

std::vector<std::string> split(const std::string& list) {
  std::vector<std::string> parts;
  for (std::size_t start = 0; start <= list.size();) {
    std::size_t end = list.find(':', start);
    if (end == std::string::npos) end = list.size();
    parts.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::string env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

bool is_true(const std::optional<std::string>& value) { return value && *value == "true"; }

bool readable_file(const std::string& path, std::string& text) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return true;
}

// The file a command names, as a shell finds it: a name without a folder is
// the first executable of that name in PATH.
std::string program_file(const std::string& program) {
  if (program.find('/') != std::string::npos) return program;
  for (const std::string& dir : split(env("PATH"))) {
    if (dir.empty() || dir[0] != '/') continue;  // never the working folder
    const std::string candidate = dir + "/" + program;
    struct stat st {};
    if (stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
        access(candidate.c_str(), X_OK) == 0)
      return candidate;
  }
  return "";
}

}  // namespace

std::optional<Installed_Entry> find_installed_entry(const std::string& desktop_id) {
  std::string dirs = env("XDG_DATA_DIRS");
  if (dirs.empty()) dirs = "/usr/local/share/:/usr/share/";
  for (const std::string& dir : split(dirs)) {
    if (dir.empty() || dir[0] != '/') continue;  // relative folders are to be ignored
    Installed_Entry entry{dir + "/applications/" + desktop_id, {}, {}};
    std::string text;
    if (!readable_file(entry.path, text)) continue;
    entry.fields = desktop_entry_fields_in(text);
    entry.exec = desktop_entry_exec_in(text);
    return entry;
  }
  return std::nullopt;
}

bool lists_program(const Installed_Entry& entry, const std::string& target) {
  if (!entry.exec || is_true(field_value(entry.fields, "NoDisplay")) ||
      is_true(field_value(entry.fields, "Hidden")))
    return false;
  const std::string program = program_file(unquote_exec(*entry.exec, true));
  if (program.empty() || target.empty()) return false;
  std::error_code ec;
  return std::filesystem::equivalent(program, target, ec) && !ec;
}

Desktop_Entry_Fields program_launcher_fields(const std::optional<Installed_Entry>& installed) {
  if (!installed) return kPackaged_Fields;
  Desktop_Entry_Fields looks;
  for (const auto& field : installed->fields)
    if (is_look(field.first) && writable_field(field.first, field.second)) looks.push_back(field);
  // An entry without a name of its own still gives the launcher one.
  if (!field_value(looks, "Name")) looks.insert(looks.begin(), kPackaged_Fields.front());
  return looks;
}
