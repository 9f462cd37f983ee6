#include "platform/program_path.h"

#include <windows.h>

#include <vector>

std::string running_program_path() {
  // The buffer grows until the whole path fits: a long path is cut short
  // with no other sign.
  for (DWORD size = MAX_PATH; size <= 32768 * 4; size *= 2) {
    std::vector<char> buffer(size);
    const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), size);
    if (length == 0) return {};
    if (length < size) return std::string(buffer.data(), length);
  }
  return {};
}
