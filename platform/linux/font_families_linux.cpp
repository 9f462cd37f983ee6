#include <fontconfig/fontconfig.h>

#include <map>
#include <thread>

#include "platform/font_families.h"

namespace {

// The family of the installed font that the configuration matches best, as
// fc-match reports it: aliases such as metric-compatible families apply.
std::string best_match(const std::string& family) {
  FcPattern* pattern = FcPatternCreate();
  if (pattern == nullptr) return {};
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  std::string answer;
  FcChar8* name = nullptr;
  if (match != nullptr && FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch) {
    answer = reinterpret_cast<const char*>(name);
  }
  if (match != nullptr) FcPatternDestroy(match);
  return answer;
}

struct Lookup {
  // Written by the thread alone, and read only once it has been joined.
  std::map<std::string, std::string> answers;
  std::jthread thread;
};

Lookup& lookup() {
  static Lookup instance;
  return instance;
}

}  // namespace

void start_font_family_lookup(std::vector<std::string> families) {
  Lookup& l = lookup();
  if (l.thread.joinable()) return;
  l.thread = std::jthread([&l, families = std::move(families)] {
    if (!FcInit()) return;
    for (const std::string& family : families) {
      std::string answer = best_match(family);
      if (!answer.empty()) l.answers.emplace(family, std::move(answer));
    }
  });
}

std::string installed_font_family(const std::string& family) {
  Lookup& l = lookup();
  if (l.thread.joinable()) l.thread.join();
  const auto found = l.answers.find(family);
  return found == l.answers.end() ? family : found->second;
}
