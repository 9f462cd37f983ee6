#pragma once
// The machine's physical memory and page file, in bytes.

#include <cstdint>
#include <memory>

struct Memory_Status {
  std::uint64_t total_physical = 0;
  std::uint64_t available_physical = 0;
  std::uint64_t total_page_file = 0;
  std::uint64_t available_page_file = 0;
};

class Memory_Meter {
 public:
  virtual ~Memory_Meter() = default;
  virtual Memory_Status read() = 0;
};

std::unique_ptr<Memory_Meter> make_system_memory_meter();
