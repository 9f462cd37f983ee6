#include "platform/memory_status.h"

#include <windows.h>

namespace {

class Windows_Memory_Meter final : public Memory_Meter {
 public:
  Memory_Status read() override {
    MEMORYSTATUS ms{};
    ms.dwLength = sizeof(ms);
    GlobalMemoryStatus(&ms);
    Memory_Status status;
    status.total_physical = ms.dwTotalPhys;
    status.available_physical = ms.dwAvailPhys;
    status.total_page_file = ms.dwTotalPageFile;
    status.available_page_file = ms.dwAvailPageFile;
    return status;
  }
};

}  // namespace

std::unique_ptr<Memory_Meter> make_system_memory_meter() {
  return std::make_unique<Windows_Memory_Meter>();
}
