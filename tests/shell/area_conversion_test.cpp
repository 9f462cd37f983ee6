// The conversion loops between two areas: where they yield and what they
// see of changes made while they yield.

#include "shell/area_conversion.h"

#include <gtest/gtest.h>

#include "fakes/fake_line_area.h"

namespace {

using Lines = std::vector<std::string>;

class Area_Conversion : public ::testing::Test {
 protected:
  void SetUp() override { Build_Morse_Code_Table(table, 0); }

  TMorse_Code_Table table;
  Fake_Line_Area output{{"stale"}};
  int yields = 0;
};

TEST_F(Area_Conversion, TextToMorseYieldsOncePerLineAndShowsTheStart) {
  Fake_Line_Area input({"SOS", "", "a b"});
  convert_text_area_to_morse(input, output, table, [&] { ++yields; });
  EXPECT_EQ(output.lines, (Lines{"... --- ... ", "", ".-   -... "}));
  EXPECT_EQ(yields, 3);
  EXPECT_EQ(output.selection_start, 1);
}

TEST_F(Area_Conversion, MorseToTextYieldsPerTokenAndPerLine) {
  Fake_Line_Area input({"... --- ...", "", ".-  -..."});
  convert_morse_area_to_text(input, output, table, [&] { ++yields; });
  EXPECT_EQ(output.lines, (Lines{"SOS", "", "A B"}));
  EXPECT_EQ(yields, 3 + 1 + 0 + 1 + 2 + 1);
}

TEST_F(Area_Conversion, EmptyInputLeavesAnEmptyOutput) {
  Fake_Line_Area input;
  convert_text_area_to_morse(input, output, table, {});
  EXPECT_TRUE(output.lines.empty());
}

TEST_F(Area_Conversion, ChangesMadeWhileYieldingReachTheRestOfTheRun) {
  Fake_Line_Area input({".-.-", ".-.- .-.-", "-"});
  convert_morse_area_to_text(input, output, table, [&] {
    if (++yields == 2) {  // after the first line
      Build_Morse_Code_Table(table, 3);
      input.lines.pop_back();  // a shorter input ends the run sooner
    }
  });
  EXPECT_EQ(output.lines, (Lines{"\n", "\xDF\xDF"}));
}

TEST_F(Area_Conversion, AReentrantRunClearsTheOutputAndTheOuterRunGoesOn) {
  Fake_Line_Area input({"E", "T"});
  bool nested = false;
  convert_text_area_to_morse(input, output, table, [&] {
    if (nested) return;
    nested = true;
    convert_text_area_to_morse(input, output, table, [] {});
  });
  EXPECT_EQ(output.lines, (Lines{". ", "- ", "- "}));
}

}  // namespace
