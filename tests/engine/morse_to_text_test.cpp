#include "engine/morse_to_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/text_to_morse.h"
#include "tests/engine/reference.h"

namespace {

std::string to_text(int alphabet, const std::string& line, int* tokens = nullptr) {
  TMorse_Code_Table table;
  Build_Morse_Code_Table(table, alphabet);
  int n = 0;
  std::string text = morse_line_to_text(table, line, [&n] { ++n; });
  if (tokens) *tokens = n;
  return text;
}

TEST(MorseToText, WordGapsOfAnyWidthGiveOneSpace) {
  int tokens;
  EXPECT_EQ(to_text(kAlphabet_English, "... --- ...", &tokens), "SOS");
  EXPECT_EQ(tokens, 3);
  EXPECT_EQ(to_text(kAlphabet_English, ".... ..   -.-- --- ..-"), "HI YOU");
  EXPECT_EQ(to_text(kAlphabet_English, ".... ..  -.-- --- ..-"), "HI YOU");
  EXPECT_EQ(to_text(kAlphabet_English, ".-     \t  -..."), "A B");
  EXPECT_EQ(to_text(kAlphabet_English, "  .-  "), "A");
  EXPECT_EQ(to_text(kAlphabet_English, "", &tokens), "");
  EXPECT_EQ(tokens, 0);
}

TEST(MorseToText, AmpersandsBecomeFullStops) {
  EXPECT_EQ(to_text(kAlphabet_English, "&"), ".");
  EXPECT_EQ(to_text(kAlphabet_English, "& .-.-.-"), "..");
  EXPECT_EQ(to_text(kAlphabet_Russian, "&  &"), ". .");
}

TEST(MorseToText, SharedCodesGiveTheLowestByte) {
  EXPECT_EQ(to_text(kAlphabet_English, ".-.-"), "\n");
  EXPECT_EQ(to_text(kAlphabet_European, ".-.-"), "\n");
  EXPECT_EQ(to_text(kAlphabet_Norwegian, ".-.-"), "\n");
  EXPECT_EQ(to_text(kAlphabet_Russian, ".-.-"), "\xDF");
  EXPECT_EQ(to_text(kAlphabet_English, "......"), "");
  EXPECT_EQ(to_text(kAlphabet_Russian, "......"), ".");
}

TEST(MorseToText, UnknownAndEmptyTokensAddNothing) {
  int tokens;
  EXPECT_EQ(to_text(kAlphabet_English, "/"), "");
  EXPECT_EQ(to_text(kAlphabet_English, "...---..."), "");
  EXPECT_EQ(to_text(kAlphabet_English, ".-  /  -..."), "A  B");
  EXPECT_EQ(to_text(kAlphabet_English, ". \t .", &tokens), "EE");
  EXPECT_EQ(tokens, 3);
  EXPECT_EQ(to_text(kAlphabet_English, ".-\t.-"), "");
}

TEST(MorseToText, ReadsBackWhatTextToMorseWrites) {
  TMorse_Code_Table table;
  Build_Morse_Code_Table(table, kAlphabet_English);
  const std::string text = "THE QUICK BROWN FOX, 1234567890: IT'S A-OK/YES?";
  EXPECT_EQ(morse_line_to_text(table, text_line_to_morse(table, text)), text);
}

// Tokens are read eight bytes at a time: lines mixing plain codes of every length with the
// bytes next to "-" and "." (",", "/", and the same with the top bit set), blanks that are
// not spaces, and tokens that end on and across the word's edge.
TEST(MorseToText, WordAtATimeReadingMatchesTheReference) {
  const std::vector<std::string> pieces = {".",   "-",    " ",      "  ",       ",",
                                           "/",   "\xad", "\xae",   "\t",       ".-.-.-.",
                                           "---", "&",    "-..-.-", "........", "\x01"};
  std::mt19937 gen(17);
  for (int alphabet = 0; alphabet < 4; ++alphabet) {
    TMorse_Code_Table table;
    Build_Morse_Code_Table(table, alphabet);
    for (int round = 0; round < 3000; ++round) {
      std::string line;
      for (int n = static_cast<int>(gen() % 40); n > 0; --n) line += pieces[gen() % pieces.size()];
      int tokens = 0;
      int reference_tokens = 0;
      ASSERT_EQ(morse_line_to_text(table, line, [&] { ++tokens; }),
                reference::morse_line_to_text(table, line, [&] { ++reference_tokens; }))
          << alphabet << " [" << line << "]";
      ASSERT_EQ(tokens, reference_tokens) << line;
    }
  }
}

}  // namespace
