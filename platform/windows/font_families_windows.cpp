#include <windows.h>

#include <cstring>
#include <map>
#include <mutex>

#include "platform/font_families.h"

// Windows has the families the window names; a system without them (Wine
// without the classic fonts) gets the metric-compatible ones where it has
// those. The system's font list answers at once, so the lookup needs no
// thread of its own.

namespace {

int CALLBACK note_found(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool is_installed(HDC dc, const std::string& family) {
  LOGFONTA wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  if (family.empty() || family.size() >= LF_FACESIZE) return false;
  std::memcpy(wanted.lfFaceName, family.c_str(), family.size() + 1);
  bool found = false;
  EnumFontFamiliesExA(dc, &wanted, note_found, reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

const std::map<std::string, std::vector<std::string>>& stand_ins() {
  static const std::map<std::string, std::vector<std::string>> table = {
      {"Times New Roman", {"Liberation Serif", "DejaVu Serif"}},
      {"Courier New", {"Liberation Mono", "DejaVu Sans Mono"}},
      {"Courier", {"Courier New", "Liberation Mono", "DejaVu Sans Mono"}},
      {"Arial", {"Liberation Sans", "DejaVu Sans"}},
      {"MS Sans Serif", {"Microsoft Sans Serif", "Liberation Sans", "DejaVu Sans"}},
  };
  return table;
}

struct Lookup {
  std::once_flag done;
  std::map<std::string, std::string> answers;
};

Lookup& lookup() {
  static Lookup instance;
  return instance;
}

}  // namespace

void start_font_family_lookup(std::vector<std::string> families) {
  Lookup& l = lookup();
  std::call_once(l.done, [&l, &families] {
    const HDC dc = GetDC(nullptr);
    if (dc == nullptr) return;
    for (const std::string& family : families) {
      if (is_installed(dc, family)) continue;
      const auto candidates = stand_ins().find(family);
      if (candidates == stand_ins().end()) continue;
      for (const std::string& candidate : candidates->second) {
        if (is_installed(dc, candidate)) {
          l.answers.emplace(family, candidate);
          break;
        }
      }
    }
    ReleaseDC(nullptr, dc);
  });
}

std::string installed_font_family(const std::string& family) {
  const Lookup& l = lookup();
  const auto answer = l.answers.find(family);
  return answer == l.answers.end() ? family : answer->second;
}
