#include "engine/text_to_morse.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/morse_to_text.h"

namespace {

std::string to_morse(int alphabet, const std::string& line) {
  TMorse_Code_Table table;
  Build_Morse_Code_Table(table, alphabet);
  return text_line_to_morse(table, line);
}

TEST(TextToMorse, EveryCodeIsFollowedByOneSpace) {
  EXPECT_EQ(to_morse(kAlphabet_English, "SOS"), "... --- ... ");
  EXPECT_EQ(to_morse(kAlphabet_English, "Hi you"), ".... ..   -.-- --- ..- ");
  EXPECT_EQ(to_morse(kAlphabet_English, "A  B"), ".-     -... ");
  EXPECT_EQ(to_morse(kAlphabet_English, "A\tB"), ".-   -... ");
  EXPECT_EQ(to_morse(kAlphabet_English, "1? =!"), ".---- ..--..   -...- .-..-. ");
}

TEST(TextToMorse, BytesWithoutACodeAreDropped) {
  EXPECT_EQ(to_morse(kAlphabet_English, ""), "");
  EXPECT_EQ(to_morse(kAlphabet_English, "&()[]"), "");
  EXPECT_EQ(to_morse(kAlphabet_English, std::string("E\0E", 3)), ". . ");
  std::string every_byte;
  for (int c = 0; c < 256; ++c) every_byte += static_cast<char>(c);
  EXPECT_EQ(to_morse(kAlphabet_English, every_byte).size(),
            to_morse(kAlphabet_English, every_byte.substr(1)).size());
}

TEST(TextToMorse, OnlyAToZAreUpperCased) {
  EXPECT_EQ(to_morse(kAlphabet_European, "e\xE9\xC9"), ". ..-.. ");  // é is dropped, É is not
  EXPECT_EQ(to_morse(kAlphabet_English, "\xC9"), "");
  EXPECT_EQ(to_morse(kAlphabet_English, "z"), "--.. ");
  EXPECT_EQ(to_morse(kAlphabet_English, "abcdefghijklmnopqrstuvwxyz"),
            to_morse(kAlphabet_English, "ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
  EXPECT_EQ(to_morse(kAlphabet_Russian, "\xC0\xE0"), ".- ");  // А converts, а does not
}

TEST(TextToMorse, RussianDropsSpacesAndLatinLetters) {
  EXPECT_EQ(to_morse(kAlphabet_Russian, "\xC4\xC0 \t\xC4\xC0."), "-.. .- -.. .- ...... ");
  EXPECT_EQ(to_morse(kAlphabet_Russian, "AB cd"), "");
}

// Gathering callers append line after line to one buffer: what it held stays, and nothing of
// the whole-slot copies shows past the new end.
TEST(TextToMorse, AppendingKeepsWhatTheBufferHeld) {
  TMorse_Code_Table table;
  Build_Morse_Code_Table(table, kAlphabet_English);
  std::string out = "x\n";
  append_text_line_to_morse(table, "SOS", out);
  append_text_line_to_morse(table, "", out);
  append_text_line_to_morse(table, "E", out);
  EXPECT_EQ(out, "x\n... --- ... . ");
  append_morse_line_to_text(table, " ... --- ...  . ", out);
  EXPECT_EQ(out, "x\n... --- ... . SOS E");
}

}  // namespace
