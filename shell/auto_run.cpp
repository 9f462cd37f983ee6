#include "shell/auto_run.h"

#include <algorithm>
#include <cctype>

#include "shell/registry_inc.h"

namespace {

bool equal_ignoring_case(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
    return std::tolower(x) == std::tolower(y);
  });
}

void confirm(Auto_Run_Window& window, const std::string& what) {
  window.messages().show("This program (" + window.executable_file_name() + ") will now " + what +
                             " automatically at Windows Start-Up.",
                         Message_Icon::Information, Message_Buttons::Ok);
}

}  // namespace

bool Enable_Auto_Run(Auto_Run_Window& window) {
  if (!REGISTRY_INC__Write_String_Value(window.registry(), window.messages(), kAuto_Run_Root,
                                        kAuto_Run_Key, window.executable_file_name(),
                                        window.executable_path()))
    return false;
  confirm(window, "run");
  return true;
}

bool Disable_Auto_Run(Auto_Run_Window& window) {
  if (!REGISTRY_INC__Delete_Value(window.registry(), window.messages(), kAuto_Run_Root,
                                  kAuto_Run_Key, window.executable_file_name()))
    return false;
  confirm(window, "no-longer run");
  return true;
}

bool Check_Auto_Run_Path(Auto_Run_Window& window) {
  const std::string file_name = window.executable_file_name();
  const std::string stored =
      REGISTRY_INC__Read_String_Value(window.registry(), kAuto_Run_Root, kAuto_Run_Key, file_name);
  if (stored.empty()) return false;
  const std::string current = window.executable_path();
  if (equal_ignoring_case(stored, current)) return true;

  const std::string question =
      "The directory / path settings required to make this program (" + file_name + ")\n" +
      "run automatically at Windows Start-up do not match where the program \n" +
      "is currently being run from.\n" + "\n" + " Old      = " + stored + "\n" +
      " Current = " + current + "\n" + "\n" +
      "Do you want to update the Windows Registry to reflect the programs current locaton ?";
  if (window.messages().show(question, Message_Icon::Warning, Message_Buttons::Yes_No) ==
      Message_Answer::Yes)
    Enable_Auto_Run(window);
  return true;
}

void Auto_Run_at_Windows_Startup_OptionClick(Auto_Run_Window& window) {
  if (window.auto_run_checked()) {
    if (Disable_Auto_Run(window)) window.set_auto_run_checked(false);
  } else {
    if (Enable_Auto_Run(window)) window.set_auto_run_checked(true);
  }
}
