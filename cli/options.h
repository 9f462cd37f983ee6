#pragma once
// The command-line options of the program. Parsing only: what is not given
// is left empty here and taken from the settings file later.

#include <optional>
#include <string>
#include <vector>

enum class Cli_Mode { Help, Version, To_Morse, To_Text, Wav, Listen, Listen_Device, List_Devices };

struct Cli_Options {
  Cli_Mode mode = Cli_Mode::Help;
  std::string wav_file;
  std::string listen_file;      // "-": standard input
  std::string listen_device;    // empty: the default capture device
  bool listen_morse = false;    // print the Morse code heard, not its text
  std::optional<int> alphabet;  // index as in the alphabet group: 0 English .. 3 Russian
  std::optional<std::string> dot_file;
  std::optional<std::string> dash_file;
  std::optional<int> letter_delay;   // milliseconds, within the window's bounds
  std::optional<int> element_delay;  // milliseconds, within the window's bounds
};

struct Parsed_Options {
  std::optional<Cli_Options> options;  // empty on an error
  std::string error;                   // one line, naming the problem
};

// `arguments` without the program's name.
Parsed_Options parse_options(const std::vector<std::string>& arguments);

std::string help_text();
std::string version_text();
