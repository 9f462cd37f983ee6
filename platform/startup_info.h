#pragma once
// How the program's starter asked for its window to be shown (a shortcut set
// to start minimised, say).

#include <memory>
#include <optional>

// The system's show commands, with their system values.
enum class Show_Command : int {
  Hide = 0,
  Normal = 1,
  Minimized = 2,
  Maximized = 3,
  No_Activate = 4,
  Show = 5,
  Minimize = 6,
  Minimized_No_Active = 7,
  Show_NA = 8,
  Restore = 9,
  Default = 10,
};

class Startup_Info {
 public:
  virtual ~Startup_Info() = default;
  // Nothing when the starter gave no show command.
  virtual std::optional<Show_Command> show_command() = 0;
};

std::unique_ptr<Startup_Info> make_system_startup_info();
