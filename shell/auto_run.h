#pragma once
// Starting the program whenever a user logs on, through a string value in the
// machine-wide start-up key of the registry: the value is named after the
// executable's file name and holds its full path. The check mark of the menu
// entry is the only state; the registry decides it at every start.

#include <string>

#include "platform/registry.h"
#include "shell/messages.h"

inline constexpr Registry_Root kAuto_Run_Root = Registry_Root::Local_Machine;
inline constexpr char kAuto_Run_Key[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// What auto-run needs of the window.
class Auto_Run_Window {
 public:
  virtual ~Auto_Run_Window() = default;
  virtual Registry& registry() = 0;
  virtual Messages& messages() = 0;
  // The running executable's full path, exactly as the system reports it.
  virtual std::string executable_path() const = 0;
  // Its file name with any extension: the name of the start-up value.
  virtual std::string executable_file_name() const = 0;
  // The check mark of "Auto-Run at Windows Startup".
  virtual bool auto_run_checked() const = 0;
  virtual void set_auto_run_checked(bool checked) = 0;
};

// Writes the start-up value and confirms it; false, after the registry
// routine's error box, when it could not be written.
bool Enable_Auto_Run(Auto_Run_Window& window);

// Removes the start-up value and confirms it, also when it was already gone;
// false, after an error box, when the key is absent or the value stays.
bool Disable_Auto_Run(Auto_Run_Window& window);

// At start: true when a start-up value for the program exists. When it points
// elsewhere than the running executable (letter case aside), asks whether to
// rewrite it; the answer does not change the result.
bool Check_Auto_Run_Path(Auto_Run_Window& window);

// The menu entry: turns auto-run off when checked, on when not, and flips the
// check mark only when that succeeded.
void Auto_Run_at_Windows_Startup_OptionClick(Auto_Run_Window& window);
