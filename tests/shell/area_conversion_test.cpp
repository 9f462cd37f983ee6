// The conversion loops between two areas: where they yield and what they
// see of changes made while they yield.

#include "shell/area_conversion.h"

#include <gtest/gtest.h>

#include "fakes/fake_line_area.h"

namespace {

using Lines = std::vector<std::string>;

// Takes the turns that `take` allows, noting what the output held at each.
class Scripted_Turns final : public Conversion_Turns {
 public:
  explicit Scripted_Turns(const Fake_Line_Area& output, std::function<void()> in_turn = {})
      : output_(output), in_turn_(std::move(in_turn)) {}
  bool due() override { return take(offers++); }
  void run() override {
    seen.push_back(output_.lines);
    if (in_turn_) in_turn_();
  }

  std::function<bool(int offer)> take = [](int) { return true; };
  int offers = 0;
  std::vector<Lines> seen;

 private:
  const Fake_Line_Area& output_;
  std::function<void()> in_turn_;
};

class Area_Conversion : public ::testing::Test {
 protected:
  void SetUp() override { Build_Morse_Code_Table(table, 0); }

  TMorse_Code_Table table;
  Fake_Line_Area output{{"stale"}};
};

TEST_F(Area_Conversion, TextToMorseOffersATurnPerLineWithTheLinesSoFarInTheOutput) {
  Fake_Line_Area input({"SOS", "", "a b"});
  Scripted_Turns turns(output);
  convert_text_area_to_morse(input, output, table, turns);
  EXPECT_EQ(output.lines, (Lines{"... --- ... ", "", ".-   -... "}));
  EXPECT_EQ(turns.offers, 3);
  EXPECT_EQ(turns.seen,
            (std::vector<Lines>{
                {"... --- ... "}, {"... --- ... ", ""}, {"... --- ... ", "", ".-   -... "}}));
  EXPECT_EQ(output.selection_start, 1);
}

TEST_F(Area_Conversion, MorseToTextOffersATurnPerTokenAndPerLine) {
  Fake_Line_Area input({"... --- ...", "", ".-  -..."});
  Scripted_Turns turns(output);
  convert_morse_area_to_text(input, output, table, turns);
  EXPECT_EQ(output.lines, (Lines{"SOS", "", "A B"}));
  EXPECT_EQ(turns.offers, 3 + 1 + 0 + 1 + 2 + 1);
  // A turn inside a line sees the lines before it, not the line's part.
  EXPECT_EQ(turns.seen[2], Lines{});
  EXPECT_EQ(turns.seen[3], Lines{"SOS"});
  EXPECT_EQ(turns.seen[5], (Lines{"SOS", ""}));
}

// Lines converted between two turns reach the output together, before the
// turn; those after the last turn at the end.
TEST_F(Area_Conversion, TurnsNotTakenLeaveTheLinesToTheNextTurnOrTheEnd) {
  Fake_Line_Area input({"E", "T", "I", "M", "S"});
  Scripted_Turns turns(output);
  turns.take = [](int offer) { return offer == 2; };
  convert_text_area_to_morse(input, output, table, turns);
  EXPECT_EQ(turns.seen, (std::vector<Lines>{{". ", "- ", ".. "}}));
  EXPECT_EQ(output.lines, (Lines{". ", "- ", ".. ", "-- ", "... "}));

  Fake_Line_Area morse({".- -...", "-.-."});
  Scripted_Turns token_turns(output);
  token_turns.take = [](int offer) { return offer == 3; };  // after the first line's offer
  convert_morse_area_to_text(morse, output, table, token_turns);
  EXPECT_EQ(token_turns.seen, (std::vector<Lines>{{"AB"}}));
  EXPECT_EQ(output.lines, (Lines{"AB", "C"}));
}

TEST_F(Area_Conversion, EmptyInputLeavesAnEmptyOutput) {
  Fake_Line_Area input;
  Scripted_Turns turns(output);
  convert_text_area_to_morse(input, output, table, turns);
  EXPECT_TRUE(output.lines.empty());
  EXPECT_EQ(turns.offers, 0);
}

TEST_F(Area_Conversion, ChangesMadeWhileYieldingReachTheRestOfTheRun) {
  Fake_Line_Area input({".-.-", ".-.- .-.-", "-"});
  int turn = 0;
  Scripted_Turns turns(output, [&] {
    if (++turn == 2) {  // after the first line
      Build_Morse_Code_Table(table, 3);
      input.lines.pop_back();  // a shorter input ends the run sooner
    }
  });
  convert_morse_area_to_text(input, output, table, turns);
  EXPECT_EQ(output.lines, (Lines{"\n", "\xDF\xDF"}));
}

TEST_F(Area_Conversion, AReentrantRunClearsTheOutputAndTheOuterRunGoesOn) {
  Fake_Line_Area input({"E", "T"});
  bool nested = false;
  Scripted_Turns inner(output);
  Scripted_Turns turns(output, [&] {
    if (nested) return;
    nested = true;
    convert_text_area_to_morse(input, output, table, inner);
  });
  convert_text_area_to_morse(input, output, table, turns);
  EXPECT_EQ(output.lines, (Lines{". ", "- ", "- "}));
}

}  // namespace
