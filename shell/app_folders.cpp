#include "shell/app_folders.h"

#include <filesystem>
#include <initializer_list>
#include <system_error>

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#endif

namespace {

bool holds_shipped_file(const std::string& folder, const Folder_Probe& probe) {
  for (const char* name :
       {kDot_Tone_File_Name, kDash_Tone_File_Name, "tapwrenz.txt", "catalog.txt"}) {
    if (probe.file_exists(folder + name)) return true;
  }
  return false;
}

// An empty folder stays empty: the working folder, when the binary's own is
// unknown.
std::string with_separator(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

// The user's config folder, or "" when the environment names none.
std::string config_home(const Folder_Probe& probe) {
  // A relative value is invalid and ignored.
  const std::string xdg = probe.environment("XDG_CONFIG_HOME");
  if (!xdg.empty() && xdg.front() == '/') return with_separator(xdg);
  const std::string home = probe.environment("HOME");
  if (!home.empty()) return with_separator(home) + ".config/";
  return {};
}

}  // namespace

App_Folders decide_app_folders(const std::string& executable_path, const Folder_Probe& probe) {
  const std::filesystem::path exe(executable_path);
  App_Folders folders(with_separator(exe.parent_path().generic_string()));
  folders.executable = executable_path;
  const std::string bin = folders.data;
  if (holds_shipped_file(bin, probe) || probe.file_exists(bin + kSettings_File_Name))
    return folders;

  const std::string share =
      with_separator((exe.parent_path().parent_path() / "share" / "tapwrenz").generic_string());
  const std::string config = config_home(probe);
  if (config.empty() || !holds_shipped_file(share, probe)) return folders;
  folders.data = share;
  folders.settings = config + "tapwrenz/";
  folders.installed = true;
  return folders;
}

#ifndef _WIN32

std::string running_executable_path() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  // A binary replaced while it runs (a package upgrade) reads as
  // "<path> (deleted)"; the path is where the new one is.
  std::string path = exe.string();
  const std::string deleted = " (deleted)";
  if (path.size() > deleted.size() && path.ends_with(deleted))
    path.resize(path.size() - deleted.size());
  return path;
}

App_Folders system_app_folders() {
  const Folder_Probe probe{[](const std::string& path) {
                             std::error_code error;
                             return std::filesystem::is_regular_file(path, error);
                           },
                           [](const char* name) -> std::string {
                             if (const char* value = std::getenv(name)) return value;
                             // A session without HOME still has a home in the password database.
                             if (std::string(name) == "HOME") {
                               if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
                                 return entry->pw_dir;
                             }
                             return {};
                           }};
  return decide_app_folders(running_executable_path(), probe);
}

#endif
