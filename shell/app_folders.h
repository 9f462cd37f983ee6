#pragma once
// Where the program's files are. A portable folder holds the binary beside
// its shipped files and keeps the settings file there too. An installed
// program (binary in <prefix>/bin, no shipped file beside it) reads its
// shipped files from <prefix>/share/tapwrenz/ and keeps its settings in the
// user's config folder. This is the one place that decides; everything else
// asks it.

#include <functional>
#include <string>
#include <utility>

inline constexpr char kSettings_File_Name[] = "tapwrenz.ini";
inline constexpr char kDot_Tone_File_Name[] = "Mores_Code_Dot_Tone.wav";
inline constexpr char kDash_Tone_File_Name[] = "Mores_Code_Dash_Tone.wav";

struct App_Folders {
  // A portable folder: settings and shipped files together in `folder`,
  // which ends with the path separator, for the binary at `executable`.
  static App_Folders portable(std::string folder, std::string executable = {}) {
    App_Folders folders;
    folders.data = folder;
    folders.settings = std::move(folder);
    folders.executable = std::move(executable);
    return folders;
  }

  // The running binary's full path; empty when unknown.
  std::string executable;
  // The shipped files (tones, readme, catalog), with the trailing separator.
  std::string data;
  // The folder of the settings file, with the trailing separator.
  std::string settings;
  // True when the settings folder is the user's config folder, which may not
  // exist yet and is then made by the first save.
  bool installed = false;

  std::string settings_file() const { return settings + kSettings_File_Name; }
};

// What the decision looks at: whether a file exists, and an environment
// variable's value ("" when unset).
struct Folder_Probe {
  std::function<bool(const std::string& path)> file_exists;
  std::function<std::string(const char* name)> environment;
};

// Where the binary is, as the system tells it.
struct Binary_Path {
  // As /proc/self/exe reads: "" when it cannot be read, and with " (deleted)"
  // after it when the binary was replaced while it runs (a package upgrade),
  // where the path is that of the new one.
  std::string read_link;
  // What the toolkit or argv[0] says, for when the link cannot be read.
  std::string fallback;
};

// The binary's path: the link read, less any " (deleted)", or the fallback.
std::string executable_path(const Binary_Path& binary);

// Decides from the binary's path alone, through `probe`. A binary folder
// holding any shipped file or a settings file is portable; otherwise, when
// <bindir>/../share/tapwrenz/ holds a shipped file, the program is installed,
// with its settings in $XDG_CONFIG_HOME/tapwrenz/ (an absolute value only) or
// $HOME/.config/tapwrenz/. Everything else stays portable, as a lone binary
// always was; an unknown binary's folder is the working folder.
App_Folders decide_app_folders(const Binary_Path& binary, const Folder_Probe& probe);

// The decision for the running binary, the real files and the environment.
// `fallback` is the binary's path as the toolkit or argv[0] gives it. A
// `portable_folder` given (a test's own) holds everything instead. On Windows
// the program is always portable: it keeps its files in its own folder.
App_Folders system_app_folders(const std::string& fallback,
                               const std::string& portable_folder = {});

// argv[0] as a path from the root: made absolute against the working folder
// when it names a folder, or found on PATH when it is a bare name. On Windows
// the system's own path of the running program.
std::string executable_from_argument(const char* argv0);
