#include "shell/code_page.h"

#include <gtest/gtest.h>

#include <string>

#if defined(__linux__) && defined(__GLIBC__)
#include <iconv.h>
#endif

namespace {

constexpr Code_Page both_pages[] = {Code_Page::Windows_1252, Code_Page::Windows_1251};

std::string all_bytes() {
  std::string s;
  for (int b = 0; b < 256; ++b) s.push_back(static_cast<char>(b));
  return s;
}

TEST(CodePage, EveryByteRoundTripsWithAndWithoutPictures) {
  const std::string bytes = all_bytes();
  for (Code_Page cp : both_pages) {
    for (bool pictures : {false, true}) {
      const std::u16string text = decode_from_code_page(cp, bytes, pictures);
      ASSERT_EQ(text.size(), 256u);
      EXPECT_EQ(encode_to_code_page(cp, text), bytes) << static_cast<int>(cp) << pictures;
    }
  }
}

TEST(CodePage, KnownCharacters) {
  const auto w1252 = Code_Page::Windows_1252;
  const auto w1251 = Code_Page::Windows_1251;
  EXPECT_EQ(encode_to_code_page(w1252, u"\u00E9\u20AC\u0178"), "\xE9\x80\x9F");
  EXPECT_EQ(encode_to_code_page(w1251, u"\u042F\u0401\u20AC\u2116"), "\xDF\xA8\x88\xB9");
  EXPECT_EQ(decode_from_code_page(w1251, "\xDF\xA8\x88", false), u"\u042F\u0401\u20AC");
  EXPECT_EQ(decode_from_code_page(w1252, "\xE9\x80\x81", false), u"\u00E9\u20AC\u0081");
  EXPECT_EQ(decode_from_code_page(w1251, "\x98", false), u"\u0098");
  EXPECT_EQ(encode_to_code_page(w1252, u"AZ az 09"), "AZ az 09");
}

TEST(CodePage, UnmappableCharactersAreDroppedNotSubstituted) {
  // Cyrillic under 1252, Latin letters with no 1251 byte, CJK, an emoji pair and lone
  // surrogates of either kind.
  EXPECT_EQ(encode_to_code_page(Code_Page::Windows_1252, u"a\u042Fb"), "ab");
  EXPECT_EQ(encode_to_code_page(Code_Page::Windows_1251, u"a\u00E9b"), "ab");
  for (Code_Page cp : both_pages) {
    EXPECT_EQ(encode_to_code_page(cp, u"x\u4E2D\U0001F600y"), "xy");
    EXPECT_EQ(encode_to_code_page(cp, std::u16string{u'x', 0xD83D, u'y', 0xDE00}), "xy");
    EXPECT_EQ(encode_to_code_page(cp, u"\u2420\u2422\uFFFD\u0080"), "");
  }
  // A text that only holds unmappable characters must not leave anything behind.
  EXPECT_EQ(encode_to_code_page(Code_Page::Windows_1252, u"\u0416\u0416\u0416"), "");
}

TEST(CodePage, ControlPicturesBothWays) {
  for (Code_Page cp : both_pages) {
    EXPECT_EQ(decode_from_code_page(cp, "a\nb\x1A\x7F\x1F", true), u"a\u240Ab\u241A\u2421\u241F");
    EXPECT_EQ(decode_from_code_page(cp, "a\nb\x1A\x7F", false), u"a\nb\x1A\x7F");
    EXPECT_EQ(decode_from_code_page(cp, std::string("\0x", 2), true), u"\u2400x");
    EXPECT_EQ(encode_to_code_page(cp, u"\u2400\u240A\u241A\u241F\u2421"),
              std::string("\0\n\x1A\x1F\x7F", 5));
    // Plain control characters typed or pasted pass through unchanged.
    EXPECT_EQ(encode_to_code_page(cp, u"\r\n\t"), "\r\n\t");
  }
  const std::u16string pictured = decode_from_code_page(Code_Page::Windows_1252, all_bytes(), true);
  for (char16_t c : pictured) EXPECT_TRUE(c >= 0x20 && c != 0x7F) << int(c);
}

#if defined(__linux__) && defined(__GLIBC__)
// The tables must agree with the system converter; bytes it calls invalid are our C1
// code points, and characters it refuses are the ones we drop.
TEST(CodePage, MatchesIconvWhereItIsDefined) {
  const std::pair<Code_Page, const char*> pages[] = {{Code_Page::Windows_1252, "CP1252"},
                                                     {Code_Page::Windows_1251, "CP1251"}};
  for (const auto& [cp, name] : pages) {
    iconv_t to_utf16 = iconv_open("UTF-16LE", name);
    iconv_t from_utf16 = iconv_open(name, "UTF-16LE");
    if (to_utf16 == reinterpret_cast<iconv_t>(-1) || from_utf16 == reinterpret_cast<iconv_t>(-1))
      GTEST_SKIP() << "iconv has no " << name;

    for (int b = 0x80; b < 0x100; ++b) {
      char in = static_cast<char>(b);
      char16_t unit = 0;
      char* in_p = &in;
      char* out_p = reinterpret_cast<char*>(&unit);
      size_t in_left = 1, out_left = 2;
      const bool ok = iconv(to_utf16, &in_p, &in_left, &out_p, &out_left) != size_t(-1);
      const char16_t expected = ok ? unit : static_cast<char16_t>(b);
      EXPECT_EQ(decode_from_code_page(cp, std::string(1, in), false), std::u16string(1, expected))
          << name << " byte " << b;
    }

    for (char32_t c = 0x80; c < 0x10000; ++c) {
      if ((c >= 0xD800 && c < 0xE000) || (c >= 0x2400 && c <= 0x2421)) continue;
      char16_t in = static_cast<char16_t>(c);
      char out = 0;
      char* in_p = reinterpret_cast<char*>(&in);
      char* out_p = &out;
      size_t in_left = 2, out_left = 1;
      iconv(from_utf16, nullptr, nullptr, nullptr, nullptr);
      const bool ok = iconv(from_utf16, &in_p, &in_left, &out_p, &out_left) != size_t(-1);
      const std::string ours = encode_to_code_page(cp, std::u16string(1, in));
      if (ok) {
        EXPECT_EQ(ours, std::string(1, out)) << name << " U+" << std::hex << int(c);
      } else if (!(c < 0xA0 && ours == std::string(1, static_cast<char>(c)))) {
        EXPECT_EQ(ours, "") << name << " U+" << std::hex << int(c);  // only our C1 extras
      }
    }
    iconv_close(to_utf16);
    iconv_close(from_utf16);
  }
}
#endif

}  // namespace
