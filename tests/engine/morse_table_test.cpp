#include "engine/morse_table.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>

namespace {

TMorse_Code_Table built(int alphabet) {
  TMorse_Code_Table table;
  Build_Morse_Code_Table(table, alphabet);
  return table;
}

int entries_with_code(const TMorse_Code_Table& table) {
  int n = 0;
  for (int c = 1; c <= 255; ++c) n += !table[c].Morse_Code.empty();
  return n;
}

void expect_same(const TMorse_Code_Table& a, const TMorse_Code_Table& b) {
  for (int c = 1; c <= 255; ++c) {
    EXPECT_EQ(a[c].Character, b[c].Character) << c;
    EXPECT_EQ(a[c].Morse_Code, b[c].Morse_Code) << c;
    EXPECT_EQ(a[c].Information, b[c].Information) << c;
  }
}

TEST(MorseTable, EntryCountsPerAlphabet) {
  EXPECT_EQ(entries_with_code(TMorse_Code_Table()), 0);
  EXPECT_EQ(entries_with_code(built(kAlphabet_English)), 51);
  EXPECT_EQ(entries_with_code(built(kAlphabet_European)), 57);
  EXPECT_EQ(entries_with_code(built(kAlphabet_Norwegian)), 57);
  EXPECT_EQ(entries_with_code(built(kAlphabet_Russian)), 44);
}

TEST(MorseTable, LatinEntries) {
  const TMorse_Code_Table t = built(kAlphabet_English);
  EXPECT_EQ(t['A'].Character, 'A');
  EXPECT_EQ(t['A'].Morse_Code, ".-");
  EXPECT_EQ(t['A'].Information, "Alfa");
  EXPECT_EQ(t['0'].Morse_Code, "-----");
  EXPECT_EQ(t['0'].Character, 0);
  EXPECT_EQ(t['!'].Morse_Code, ".-..-.");
  EXPECT_EQ(t['|'].Morse_Code, "-.--.-");
  EXPECT_EQ(t['|'].Information, "Bracket");
  EXPECT_EQ(t['('].Morse_Code, "");
  EXPECT_EQ(t['\t'].Morse_Code, " ");
  EXPECT_EQ(t['\n'].Morse_Code, ".-.-");
  EXPECT_EQ(t[26].Morse_Code, ".-.-.");
  EXPECT_EQ(t[26].Information, "EoF Message");
  EXPECT_EQ(t['='].Morse_Code, "-...-");
  EXPECT_EQ(t[201].Morse_Code, "");
  // A wrong punctuation code would still read back, so each one is pinned here.
  for (const auto& [c, code] : {std::pair{'?', "..--.."},
                                {'.', ".-.-.-"},
                                {',', "--..--"},
                                {':', "---..."},
                                {'\'', ".----."},
                                {'-', "-....-"},
                                {'/', "-..-."}}) {
    EXPECT_EQ(t[c].Morse_Code, code) << c;
  }
  EXPECT_EQ(t['-'].Information, "Hyphen");

  // The accented letters sit at their Windows-1252 bytes.
  const TMorse_Code_Table e = built(kAlphabet_European);
  for (const auto& [c, code] : {std::pair{196, ".-.-"},
                                {193, ".--.-"},
                                {214, "---."},
                                {201, "..-.."},
                                {209, "--.--"},
                                {220, "..--"}}) {
    EXPECT_EQ(e[c].Morse_Code, code) << c;
  }
  for (int c : {197, 198, 216, 246}) EXPECT_EQ(e[c].Morse_Code, "") << c;

  const TMorse_Code_Table n = built(kAlphabet_Norwegian);
  EXPECT_EQ(n[198].Morse_Code, ".-.-");
  EXPECT_EQ(n[216].Morse_Code, "---.");
  EXPECT_EQ(n[196].Morse_Code, "");
  EXPECT_EQ(n[201].Morse_Code, "..-..");
  EXPECT_EQ(n[201].Information, "");
}

TEST(MorseTable, RussianEntries) {
  const TMorse_Code_Table t = built(kAlphabet_Russian);
  EXPECT_EQ(t[192].Morse_Code, ".-");
  EXPECT_EQ(t[220].Morse_Code, "-..-");
  EXPECT_EQ(t[223].Morse_Code, ".-.-");
  EXPECT_EQ(t[218].Morse_Code, "");
  EXPECT_EQ(t['.'].Morse_Code, "......");
  EXPECT_EQ(t['.'].Information, "Full Stop");
  for (int c : {32, 9, 10, 13, 26, 61, 65, 33}) EXPECT_EQ(t[c].Morse_Code, "") << c;
  EXPECT_EQ(t['A'].Character, 0);
}

TEST(MorseTable, EveryBuildStartsFromScratch) {
  for (int before = 0; before <= 3; ++before) {
    for (int after = 0; after <= 3; ++after) {
      TMorse_Code_Table table = built(before);
      Build_Morse_Code_Table(table, after);
      expect_same(table, built(after));
    }
  }
  TMorse_Code_Table table = built(kAlphabet_Russian);
  Build_Morse_Code_Table(table, kAlphabet_European);
  EXPECT_EQ(table[192].Morse_Code, "");
  EXPECT_EQ(table[193].Morse_Code, ".--.-");
  EXPECT_EQ(table[196].Morse_Code, ".-.-");
}

TEST(MorseTable, UnknownAlphabetsBuildEnglish) {
  for (int alphabet : {-1, 4, 1000}) expect_same(built(alphabet), built(kAlphabet_English));
}

TEST(MorseTable, RussianNoteComesOncePerBuildWithOnlyTheDigitsBuilt) {
  TMorse_Code_Table table;
  int notes = 0;
  const auto note = [&] {
    ++notes;
    EXPECT_EQ(entries_with_code(table), 10);
    EXPECT_EQ(table['7'].Morse_Code, "--...");
    EXPECT_EQ(table.lowest_code_for(".-"), 0);
  };
  Build_Morse_Code_Table(table, kAlphabet_Russian, note);
  EXPECT_EQ(notes, 1);
  EXPECT_EQ(table.lowest_code_for(".-"), 192);
  Build_Morse_Code_Table(table, kAlphabet_Russian, note);
  EXPECT_EQ(notes, 2);
  Build_Morse_Code_Table(table, kAlphabet_English, note);
  Build_Morse_Code_Table(table, kAlphabet_European, note);
  EXPECT_EQ(notes, 2);
}

TEST(MorseTable, IndexOutsideTheTableThrows) {
  TMorse_Code_Table table;
  EXPECT_THROW(table[0], std::out_of_range);
  EXPECT_THROW(table[256], std::out_of_range);
  EXPECT_THROW(std::as_const(table)[-1], std::out_of_range);
}

TEST(MorseTable, LookupGivesTheLowestCodeAndFollowsChanges) {
  TMorse_Code_Table table = built(kAlphabet_European);
  EXPECT_EQ(table.lowest_code_for(".-.-"), '\n');
  EXPECT_EQ(table.lowest_code_for(" "), '\t');
  EXPECT_EQ(table.lowest_code_for(""), 0);
  EXPECT_EQ(table.lowest_code_for("......"), 0);
  EXPECT_EQ(table.lowest_code_for(".-.-.-"), '.');
  table['\n'].Morse_Code.clear();
  EXPECT_EQ(table.lowest_code_for(".-.-"), '\r');
  table[5].Morse_Code = ".-.-";
  EXPECT_EQ(table.lowest_code_for(".-.-"), 5);
  Build_Morse_Code_Table(table, kAlphabet_Russian);
  EXPECT_EQ(table.lowest_code_for(".-.-"), 223);
  EXPECT_EQ(table.lowest_code_for("......"), '.');
}

}  // namespace
