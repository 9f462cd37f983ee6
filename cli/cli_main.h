#pragma once
// The program started with options: a filter or a renderer that never opens
// a window and needs no display.

#include <string>
#include <vector>

#include "cli/byte_streams.h"
#include "shell/app_folders.h"

inline constexpr int cli_exit_ok = 0;
inline constexpr int cli_exit_failure = 1;  // a file could not be read or written
inline constexpr int cli_exit_usage = 2;    // the options were wrong

// `arguments` without the program's name; `folders` say where the settings
// file and the default sounds are (a folder path stands for a portable one).
int run_command_line(const std::vector<std::string>& arguments, const App_Folders& folders,
                     Byte_Source& in, Byte_Sink& out, Byte_Sink& err);

// The same on the standard streams, with the running binary's folders.
int command_line_main(int argc, char* argv[]);
