#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "platform/font_families.h"

namespace {

int CALLBACK note_found(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool system_has(const std::string& family) {
  LOGFONTA wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  std::strncpy(wanted.lfFaceName, family.c_str(), LF_FACESIZE - 1);
  bool found = false;
  const HDC dc = GetDC(nullptr);
  EnumFontFamiliesExA(dc, &wanted, note_found, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, dc);
  return found;
}

// Under Wine the classic families are missing and Liberation is not: the
// stand-in is a family the system has. On Windows the family is its own.
TEST(Windows_Font_Families, AFamilyLookedUpIsOneTheSystemHasOrStaysAsItIs) {
  start_font_family_lookup({"Courier New", "Times New Roman", "No Such Family Here"});
  for (const char* family : {"Courier New", "Times New Roman"}) {
    const std::string answer = installed_font_family(family);
    EXPECT_TRUE(system_has(answer)) << family << " -> " << answer;
    if (system_has(family)) {
      EXPECT_EQ(answer, family);
    }
  }
  EXPECT_EQ(installed_font_family("No Such Family Here"), "No Such Family Here");
  EXPECT_EQ(installed_font_family("Arial"), "Arial");  // not looked up
}

}  // namespace
