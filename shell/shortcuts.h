#pragma once
// Shortcuts to the program in the user's desktop, start menu, start-menu
// programs and send-to folders. The folders come afresh at every command from
// the per-user shell folder list of the registry; creating is silent unless it
// fails, deleting reports its outcome.

#include <array>
#include <string>

#include "platform/files.h"
#include "platform/registry.h"
#include "platform/shell_link.h"
#include "shell/messages.h"

inline constexpr Registry_Root kShell_Folders_Root = Registry_Root::Current_User;
inline constexpr char kShell_Folders_Key[] =
    "\\Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// The shell folder values a shortcut may go into, in the order Delete ALL
// visits them. Names are matched exactly, letter case included.
inline constexpr std::array<const char*, 3> Shortcut_Folder_Names = {"Desktop", "Start Menu",
                                                                     "SendTo"};

// What the shortcut commands need of the window.
class Shortcut_Window {
 public:
  virtual ~Shortcut_Window() = default;
  virtual Registry& registry() = 0;
  virtual Messages& messages() = 0;
  virtual Shell_Links& shell_links() = 0;
  virtual Files& files() = 0;
  // The running executable's full path, with the system's own separators.
  virtual std::string executable_path() const = 0;
};

// The file name of `path` (after its last separator, and on Windows also after
// a drive colon) with every occurrence of its extension text removed:
// "tapwrenz.exe" gives "tapwrenz", "a.exe.exe" gives "a". A name without a
// point is returned unchanged.
std::string File_Name_Without_Extension(const std::string& path);

// Saves a link to `target_path` named after the target's file name, its
// extension replaced by the links' own, into the shell folder `folder_name`
// or its `sub_folder` when one is given; missing folders are made. "SendTo"
// takes the links of the file manager's send-to menu, "Start Menu" and its
// sub-folders the system's menu entries (which may be left out where the
// program's own entry already lists it); a menu link an earlier version
// named as the links elsewhere goes. An existing link of that name is
// rewritten. Shows nothing on success; an
// unknown folder name, a folder missing from the registry or a link that
// cannot be written is reported and gives false.
bool REGISTRY_INC__Create_Shortcut(Shortcut_Window& window, const std::string& target_path,
                                   const std::string& folder_name, const std::string& sub_folder);

// Deletes the running executable's link from the shell folder `folder_name`
// (never from a sub-folder), read-only or not, unless another program holds
// it; from "Start Menu" also a menu link as an earlier version named it. True
// when it was deleted; `report` shows every outcome.
bool REGISTRY_INC__Delete_Shortcut(Shortcut_Window& window, const std::string& folder_name,
                                   bool report);

// Deletes the program's link from each of the shell folders, then, when
// reporting, says whether any was deleted, naming the links after
// `target_path`.
void REGISTRY_INC__Delete_All_Shortcuts(Shortcut_Window& window, const std::string& target_path,
                                        bool report);

// The five entries of the File menu, each for the running executable.
void Create_Shortcut_on_Desktop_OptionClick(Shortcut_Window& window);
void Create_Shortcut_on_Start_Menu_OptionClick(Shortcut_Window& window);
void Create_Shortcut_on_Start_Programs_Menu_OptionClick(Shortcut_Window& window);
void Create_Shortcut_on_SendTo_Menu_OptionClick(Shortcut_Window& window);
void Delete_All_Shortcuts_OptionClick(Shortcut_Window& window);
