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
  App_Folders() = default;
  // A portable folder: settings and shipped files together in `folder`,
  // which ends with the path separator. Implicit, so a folder path can stand
  // wherever the folders are asked for.
  App_Folders(std::string folder) : data(folder), settings(std::move(folder)) {}

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

// Decides from the binary's full path alone, through `probe`. A binary
// folder holding any shipped file or a settings file is portable; otherwise,
// when <bindir>/../share/tapwrenz/ holds a shipped file, the program is
// installed, with its settings in $XDG_CONFIG_HOME/tapwrenz/ (an absolute
// value only) or $HOME/.config/tapwrenz/. Everything else stays portable, as
// a lone binary always was.
App_Folders decide_app_folders(const std::string& executable_path, const Folder_Probe& probe);

#ifndef _WIN32
// The running binary's full path, from the system.
std::string running_executable_path();

// The decision for the running binary, the real files and the environment.
App_Folders system_app_folders();
#endif
