#pragma once
// What the command line takes from the settings file when an option is not
// given: the same reader and bounds as the window's start-up, nothing written.

#include <string>

#include "shell/app_folders.h"

struct Settings_Defaults {
  int alphabet = 0;  // an alphabet group with nothing selected counts as English
  int letter_delay = 0;
  int element_delay = 0;
  std::string dot_file;
  std::string dash_file;
};

Settings_Defaults read_settings_defaults(const App_Folders& folders);
