#include "platform/startup_info.h"

#include <windows.h>

namespace {

class Windows_Startup_Info final : public Startup_Info {
 public:
  std::optional<Show_Command> show_command() override {
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    GetStartupInfoA(&si);
    if (!(si.dwFlags & STARTF_USESHOWWINDOW)) return std::nullopt;
    if (si.wShowWindow > static_cast<WORD>(Show_Command::Default)) return std::nullopt;
    return static_cast<Show_Command>(si.wShowWindow);
  }
};

}  // namespace

std::unique_ptr<Startup_Info> make_system_startup_info() {
  return std::make_unique<Windows_Startup_Info>();
}
