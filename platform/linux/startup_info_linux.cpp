#include "platform/startup_info.h"

namespace {

// A program started on this system is never told how to show its window: the
// window manager decides that.
class No_Startup_Info final : public Startup_Info {
 public:
  std::optional<Show_Command> show_command() override { return std::nullopt; }
};

}  // namespace

std::unique_ptr<Startup_Info> make_system_startup_info() {
  return std::make_unique<No_Startup_Info>();
}
