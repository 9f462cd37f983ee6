#include "shell/app_folders.h"

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <string_view>
#include <system_error>

#ifdef _WIN32
#include "platform/program_path.h"
#else
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

std::string executable_path(const Binary_Path& binary) {
  if (binary.read_link.empty()) return binary.fallback;
  std::string path = binary.read_link;
  const std::string deleted = " (deleted)";
  if (path.size() > deleted.size() && path.ends_with(deleted))
    path.resize(path.size() - deleted.size());
  return path;
}

App_Folders decide_app_folders(const Binary_Path& binary, const Folder_Probe& probe) {
  const std::string executable = executable_path(binary);
  const std::filesystem::path exe(executable);
  App_Folders folders =
      App_Folders::portable(with_separator(exe.parent_path().generic_string()), executable);
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

std::string executable_from_argument(const char* argv0) {
  if (argv0 == nullptr || *argv0 == '\0') return {};
  std::error_code error;
  const std::string name(argv0);
  if (name.find('/') != std::string::npos) {
    const std::filesystem::path absolute = std::filesystem::absolute(name, error);
    return error ? name : absolute.string();
  }
  // A bare name was found on PATH by the shell that started the program.
  const char* path = std::getenv("PATH");
  std::string_view folders = path ? path : "";
  while (!folders.empty()) {
    const std::size_t end = std::min(folders.find(':'), folders.size());
    const std::string folder(end > 0 ? folders.substr(0, end) : std::string_view("."));
    const std::filesystem::path candidate = std::filesystem::path(folder) / name;
    if (std::filesystem::is_regular_file(candidate, error) && access(candidate.c_str(), X_OK) == 0)
      return std::filesystem::absolute(candidate, error).string();
    folders.remove_prefix(std::min(end + 1, folders.size()));
  }
  return {};
}

App_Folders system_app_folders(const std::string& fallback, const std::string& portable_folder) {
  std::error_code error;
  const std::filesystem::path link = std::filesystem::read_symlink("/proc/self/exe", error);
  const Binary_Path binary{error ? std::string() : link.string(), fallback};
  if (!portable_folder.empty())
    return App_Folders::portable(portable_folder, executable_path(binary));
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
  return decide_app_folders(binary, probe);
}

#else

std::string executable_from_argument(const char* argv0) {
  const std::string path = running_program_path();
  return path.empty() && argv0 != nullptr ? std::string(argv0) : path;
}

// The paths in the system's own spelling, with backslashes, as the window
// shows a chosen file and the settings file keeps it.
App_Folders system_app_folders(const std::string& fallback, const std::string& portable_folder) {
  std::filesystem::path executable(fallback.empty() ? running_program_path() : fallback);
  executable.make_preferred();
  if (!portable_folder.empty()) return App_Folders::portable(portable_folder, executable.string());
  std::string folder = executable.parent_path().string();
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return App_Folders::portable(folder, executable.string());
}

#endif
