#include "shell/shortcuts.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "engine/strutil.h"
#include "shell/file_status.h"
#include "shell/registry_inc.h"

namespace {

constexpr char kSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

#ifdef _WIN32
constexpr char kName_Delimiters[] = "\\/:";
#else
constexpr char kName_Delimiters[] = "/";
#endif

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

void show(Shortcut_Window& window, const std::string& text) {
  window.messages().show(text, Message_Icon::Information, Message_Buttons::Ok);
}

bool is_shortcut_folder(const std::string& folder_name) {
  return std::find(Shortcut_Folder_Names.begin(), Shortcut_Folder_Names.end(), folder_name) !=
         Shortcut_Folder_Names.end();
}

bool is_send_to(const std::string& folder_name) { return folder_name == "SendTo"; }

bool is_menu(const std::string& folder_name) { return folder_name == "Start Menu"; }

// What follows the program's name in the file name of its link in that folder.
std::string link_ending(const Shell_Links& links, const std::string& folder_name) {
  if (is_send_to(folder_name)) return links.send_to_extension();
  if (is_menu(folder_name)) return links.menu_extension();
  return links.extension();
}

std::string folder_error(const std::string& routine, const std::string& folder_name) {
  return routine + " Error: The key " + quoted(folder_name) +
         " is invalid or could not be found in the registry.";
}

// The folder's path from the shell folder list; empty for a name that is not
// one of ours or a value that is missing.
std::string shortcut_folder(Shortcut_Window& window, const std::string& folder_name) {
  if (!is_shortcut_folder(folder_name)) return "";
  return REGISTRY_INC__Read_String_Value(window.registry(), kShell_Folders_Root, kShell_Folders_Key,
                                         folder_name);
}

std::string file_name_of(const std::string& path) {
  const std::size_t delimiter = path.find_last_of(kName_Delimiters);
  return delimiter == std::string::npos ? path : path.substr(delimiter + 1);
}

// The target's file name with its last extension, if any, replaced.
std::string link_file_name(const std::string& target_path, const std::string& extension) {
  const std::string name = file_name_of(target_path);
  return name.substr(0, name.find_last_of('.')) + extension;
}

// A link in the menu folder `folder` named as the links elsewhere, exactly as
// an earlier version wrote it for `target_path`; empty when there is none.
// Such a link hid the program's own menu entry.
std::string former_menu_link(Shortcut_Window& window, const std::string& folder_name,
                             const std::string& folder, const std::string& base,
                             const std::string& target_path) {
  if (!is_menu(folder_name)) return "";
  Shell_Links& links = window.shell_links();
  const std::string path = folder + kSeparator + base + links.extension();
  if (!window.files().exists(path) || !links.is_former_menu_link(path, target_path)) return "";
  return path;
}

}  // namespace

std::string File_Name_Without_Extension(const std::string& path) {
  const std::string name = file_name_of(path);
  const std::size_t point = name.find_last_of('.');
  if (point == std::string::npos) return name;
  return STRUTIL_Replace_All(name, name.substr(point), "");
}

bool REGISTRY_INC__Create_Shortcut(Shortcut_Window& window, const std::string& target_path,
                                   const std::string& folder_name, const std::string& sub_folder) {
  std::string folder = shortcut_folder(window, folder_name);
  if (folder.empty()) {
    show(window, folder_error("REGISTRY_INC__Create_Shortcut", folder_name));
    return false;
  }
  if (!sub_folder.empty()) folder += kSeparator + sub_folder;
  // A new home folder may not have the desktop or menu folders yet; a folder
  // that cannot be made shows as a link that cannot be written below.
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(folder), ignored);
  Shell_Links& links = window.shell_links();
  const std::string link_path =
      folder + kSeparator + link_file_name(target_path, link_ending(links, folder_name));
  const bool saved = is_send_to(folder_name) ? links.save_send_to(link_path, target_path)
                     : is_menu(folder_name)  ? links.save_menu(link_path, target_path)
                                             : links.save(link_path, target_path);
  if (saved) {
    // The menu link an earlier version made for this target, which the one
    // just made (or the program's own entry) stands for now: taken away, as
    // that version rewrote it in place. One held by another program stays.
    const std::string former =
        former_menu_link(window, folder_name, folder, link_file_name(target_path, ""), target_path);
    if (!former.empty() && former != link_path) Delete_Closed_File(window.files(), former);
    return true;
  }
  show(window, "REGISTRY_INC__Create_Shortcut Error: The shortcut " + quoted(link_path) +
                   " could not be written.");
  return false;
}

bool REGISTRY_INC__Delete_Shortcut(Shortcut_Window& window, const std::string& folder_name,
                                   bool report) {
  // A missing folder value is reported like an unknown name rather than
  // turning into a search at the root of the file system.
  const std::string folder = shortcut_folder(window, folder_name);
  if (folder.empty()) {
    if (report) show(window, folder_error("REGISTRY_INC__Delete_Shortcut", folder_name));
    return false;
  }
  const std::string base = File_Name_Without_Extension(window.executable_path());
  Shell_Links& links = window.shell_links();
  Files& files = window.files();
  std::vector<std::string> found;
  const std::string link_path = folder + kSeparator + base + link_ending(links, folder_name);
  if (files.exists(link_path)) found.push_back(link_path);
  const std::string former =
      former_menu_link(window, folder_name, folder, base, window.executable_path());
  if (!former.empty() && former != link_path) found.push_back(former);
  if (found.empty()) {
    if (report)
      show(window, "Error: The " + quoted(base) +
                       " shortcut could not be found, or it has been renamed in the " +
                       quoted(folder_name) + " menu.");
    return false;
  }
  bool all_deleted = true;
  for (const std::string& path : found)
    all_deleted = Delete_Closed_File(files, path) && all_deleted;
  if (all_deleted) {
    if (report)
      show(window, "Success: The " + quoted(base) + " shortcut has been deleted from the " +
                       quoted(folder_name) + " menu.");
    return true;
  }
  if (report)
    show(window, "Error: The " + quoted(base) + " shortcut could not be deleted from the " +
                     quoted(folder_name) + " menu.");
  return false;
}

void REGISTRY_INC__Delete_All_Shortcuts(Shortcut_Window& window, const std::string& target_path,
                                        bool report) {
  bool any_deleted = false;
  for (const char* folder_name : Shortcut_Folder_Names) {
    if (REGISTRY_INC__Delete_Shortcut(window, folder_name, false)) any_deleted = true;
  }
  if (!report) return;
  const std::string name = quoted(File_Name_Without_Extension(target_path));
  if (any_deleted) {
    show(window, "Success: All Desktop, Start Menu, and SendTo shortcuts to " + name +
                     " have been deleted.");
  } else {
    show(window, "No Desktop, Start Menu, or SendTo shortcuts called " + name +
                     " could be found !  i.e. they may have been renamed to something else "
                     "or deleted already.");
  }
}

void Create_Shortcut_on_Desktop_OptionClick(Shortcut_Window& window) {
  REGISTRY_INC__Create_Shortcut(window, window.executable_path(), "Desktop", "");
}

void Create_Shortcut_on_Start_Menu_OptionClick(Shortcut_Window& window) {
  REGISTRY_INC__Create_Shortcut(window, window.executable_path(), "Start Menu", "");
}

void Create_Shortcut_on_Start_Programs_Menu_OptionClick(Shortcut_Window& window) {
  REGISTRY_INC__Create_Shortcut(window, window.executable_path(), "Start Menu", "Programs");
}

void Create_Shortcut_on_SendTo_Menu_OptionClick(Shortcut_Window& window) {
  REGISTRY_INC__Create_Shortcut(window, window.executable_path(), "SendTo", "");
}

void Delete_All_Shortcuts_OptionClick(Shortcut_Window& window) {
  REGISTRY_INC__Delete_All_Shortcuts(window, window.executable_path(), true);
}
