// The text scrambling: exact round trips both ways, and the stored texts.

#include "panels/unscramble_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

std::string random_bytes(std::mt19937& rng, std::size_t length) {
  std::uniform_int_distribution<int> byte(0, 255);
  std::string s(length, '\0');
  for (char& c : s) c = static_cast<char>(byte(rng));
  return s;
}

TEST(Unscramble_Text, RoundTripsAnyBytesBothWays) {
  std::mt19937 rng(7);
  for (std::size_t length : {0u, 1u, 2u, 95u, 96u, 300u}) {
    for (int round = 0; round < 20; ++round) {
      const std::string s = random_bytes(rng, length);
      EXPECT_EQ(Unscramble_Text(Unscramble_Text(s, false), true), s);
      EXPECT_EQ(Unscramble_Text(Unscramble_Text(s, true), false), s);
    }
  }
}

TEST(Unscramble_Text, HidesPrintableTextButKeepsLineBreaksAndEightBitBytes) {
  const std::string plain = "Reset all settings?\r\nYes\tor no.\n\xE9t\xE9";
  const std::string scrambled = Unscramble_Text(plain, false);
  ASSERT_EQ(scrambled.size(), plain.size());
  EXPECT_EQ(scrambled.find("settings"), std::string::npos);
  // Reversed in place: the non-printable bytes sit at mirrored positions.
  for (std::size_t i = 0; i < plain.size(); ++i) {
    const auto c = static_cast<unsigned char>(plain[i]);
    const auto s = static_cast<unsigned char>(scrambled[plain.size() - 1 - i]);
    if (c < 32 || c > 126) {
      EXPECT_EQ(s, c) << i;
    } else {
      EXPECT_TRUE(s >= 32 && s <= 126) << i;
    }
  }
  // The same letter scrambles differently at different places.
  const std::string same = Unscramble_Text("aaaa", false);
  EXPECT_NE(same[0], same[1]);
}

TEST(Unscramble_Text, StoredAboutTextsReadBackAndWereMadeByTheScrambler) {
  const std::pair<const char*, std::string> stored[] = {
      {Scrambled_Developed_Using_Text, "Developed using C++20 and Qt 6"},
      {Scrambled_Comments_Text, "Learn, send and read Morse code at your own pace."},
      {Scrambled_WEB_Page_Text, "News, updates and more programs on our web page:"},
      {Scrambled_Email_Address, "tapwren@example.com"},
      {Scrambled_WEB_Address, "https://www.example.com/tapwren"},
  };
  for (const auto& [scrambled, plain] : stored) {
    EXPECT_EQ(Unscramble_Text(scrambled, true), plain);
    EXPECT_EQ(Unscramble_Text(plain, false), scrambled);
  }
}

}  // namespace
