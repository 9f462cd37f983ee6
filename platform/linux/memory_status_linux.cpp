#include <algorithm>
#include <charconv>
#include <cstdint>
#include <fstream>
#include <limits>
#include <map>
#include <string>
#include <string_view>

#include "platform/linux/meminfo.h"
#include "platform/memory_status.h"

namespace {

// "Name:   12345 kB" lines, in bytes; lines of any other shape are skipped.
std::map<std::string, std::uint64_t, std::less<>> read_fields(const std::string& path) {
  std::map<std::string, std::uint64_t, std::less<>> fields;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    const std::string_view text(line);
    const auto colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0) continue;
    std::string_view rest = text.substr(colon + 1);
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
    std::uint64_t kib = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), kib);
    if (error != std::errc() || end == rest.data()) continue;
    const std::string_view unit(end, static_cast<std::size_t>(rest.data() + rest.size() - end));
    if (unit != " kB") continue;
    if (kib > std::numeric_limits<std::uint64_t>::max() / 1024) continue;
    fields.emplace(std::string(text.substr(0, colon)), kib * 1024);
  }
  return fields;
}

class Meminfo_Memory_Meter final : public Memory_Meter {
 public:
  explicit Meminfo_Memory_Meter(std::string path) : path_(std::move(path)) {}

  Memory_Status read() override {
    const auto fields = read_fields(path_);
    const auto field = [&](std::string_view name) -> const std::uint64_t* {
      const auto it = fields.find(name);
      return it == fields.end() ? nullptr : &it->second;
    };
    Memory_Status status;
    const std::uint64_t* total = field("MemTotal");
    if (!total) return status;  // not a meminfo file: nothing is known
    status.total_physical = *total;
    if (const std::uint64_t* available = field("MemAvailable")) {
      status.available_physical = *available;
    } else {
      // Kernels before 3.14: what is free plus what the kernel would give back.
      for (const char* name : {"MemFree", "Buffers", "Cached"}) {
        if (const std::uint64_t* v = field(name)) status.available_physical += *v;
      }
    }
    if (status.available_physical > status.total_physical) {
      status.available_physical = status.total_physical;
    }
    if (const std::uint64_t* swap = field("SwapTotal")) status.total_page_file = *swap;
    if (const std::uint64_t* swap_free = field("SwapFree")) {
      status.available_page_file = std::min(*swap_free, status.total_page_file);
    }
    return status;
  }

 private:
  std::string path_;
};

}  // namespace

std::unique_ptr<Memory_Meter> make_meminfo_memory_meter(std::string path) {
  return std::make_unique<Meminfo_Memory_Meter>(std::move(path));
}

std::unique_ptr<Memory_Meter> make_system_memory_meter() {
  return make_meminfo_memory_meter("/proc/meminfo");
}
