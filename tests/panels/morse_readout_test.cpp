// What each area's readout shows for its content: the label text, the bar's
// progress and colour, and which commands the content offers.

#include "panels/morse_readout.h"

#include <gtest/gtest.h>

#include <clocale>
#include <vector>

#include "fakes/fake_line_list.h"
#include "panels/morse_share.h"

namespace {

struct Readout_Case {
  const char* what;
  std::vector<std::string> lines;
  std::string caption;
  int progress;
  Rgb colour;
  bool morse;
};

std::string repeat(char c, int n) { return std::string(static_cast<size_t>(n), c); }

TEST(Morse_Readout, ShowsTheShareOfEachContent) {
  const Readout_Case cases[] = {
      {"empty area", {}, "0", 0, kGauge_Red, false},
      {"empty lines", {"", ""}, "0", 0, kGauge_Red, false},
      {"pure Morse", {".- -..."}, "100", 100, kGauge_Lime, true},
      {"STOP counts its four letters", {"HELLO STOP"}, "50", 50, kGauge_Red, false},
      {"only upper-case STOP", {"stop", "Stop"}, "0", 0, kGauge_Red, false},
      {"a STOP formed by a deletion counts", {"STSTOPOP"}, "100", 100, kGauge_Lime, true},
      {"99.5 rounds to an even 100", {repeat('.', 199) + "A"}, "99.5", 100, kGauge_Lime, true},
      {"exactly 99 is text", {repeat('-', 99) + "A"}, "99", 99, kGauge_Yellow, false},
      {"exactly 90 is red", {repeat(' ', 90) + repeat('x', 10)}, "90", 90, kGauge_Red, false},
      {"just above 90 is yellow",
       {repeat('.', 91) + repeat('x', 9)},
       "91",
       91,
       kGauge_Yellow,
       false},
      {"line breaks count for neither", {".-", "-..."}, "100", 100, kGauge_Lime, true},
      {"fifteen significant digits", {"..x"}, "66.6666666666667", 67, kGauge_Red, false},
      {"12.5 rounds to an even 12", {"." + repeat('x', 7)}, "12.5", 12, kGauge_Red, false},
      {"0.5 rounds to an even 0", {"." + repeat('x', 199)}, "0.5", 0, kGauge_Red, false},
      {"1.5 rounds to an even 2", {"..." + repeat('x', 197)}, "1.5", 2, kGauge_Red, false},
  };
  for (const Readout_Case& c : cases) {
    const double share = Morse_Pct_Of_Memo(Fake_Line_List(c.lines));
    EXPECT_EQ(general_float_text(share, "."), c.caption) << c.what;
    EXPECT_EQ(gauge_progress(share), c.progress) << c.what;
    EXPECT_EQ(gauge_bar_colour(share), c.colour) << c.what;
    EXPECT_EQ(share > kMorse_Share_Threshold, c.morse) << c.what;
  }
}

TEST(Morse_Readout, GeneralFormUsesTheLocaleSeparatorAndTheExponentOnlyForTinyShares) {
  EXPECT_EQ(general_float_text(99.5, ","), "99,5");
  EXPECT_EQ(general_float_text(100.0 / 3.0, ","), "33,3333333333333");
  EXPECT_EQ(general_float_text(0.00001, "."), "0.00001");
  EXPECT_EQ(general_float_text(0.000001, "."), "1E-6");
  EXPECT_EQ(general_float_text(0.0000125, ","), "0,0000125");
  EXPECT_EQ(general_float_text(0.0000025, ","), "2,5E-6");
  EXPECT_EQ(general_float_text(1.0 / 7.0, "."), "0.142857142857143");
  // One Morse character in 30 million.
  EXPECT_EQ(general_float_text(morse_share({1, 30000000}), "."), "3.33333333333333E-6");
}

TEST(Morse_Readout, GeneralFormTakesNoDecimalPointFromTheCLibrary) {
  // The toolkit sets the C library's locale from the environment; a decimal
  // comma there must not get into the digits.
  const std::string before = std::setlocale(LC_NUMERIC, nullptr);
  bool comma = false;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"}) {
    if (std::setlocale(LC_NUMERIC, name) != nullptr && *std::localeconv()->decimal_point == ',') {
      comma = true;
      break;
    }
  }
  const std::string dot = general_float_text(200.0 / 3.0, ".");
  const std::string tiny = general_float_text(0.0000025, ".");
  std::setlocale(LC_NUMERIC, before.c_str());
  if (!comma) GTEST_SKIP() << "no locale with a decimal comma is installed";
  EXPECT_EQ(dot, "66.6666666666667");
  EXPECT_EQ(tiny, "2.5E-6");
}

struct Call {
  std::string what;
  bool operator==(const Call&) const = default;
};

class Recording_Gauges final : public Morse_Gauge_Window {
 public:
  void set_enabled(Command_Button b, bool on) override {
    calls.push_back("button " + std::to_string(static_cast<int>(b)) + (on ? " on" : " off"));
  }
  void set_share_caption(Memo m, const std::string& caption) override {
    calls.push_back(memo(m) + " caption " + caption);
  }
  void set_gauge_progress(Memo m, int progress) override {
    calls.push_back(memo(m) + " progress " + std::to_string(progress));
  }
  void set_gauge_bar_colour(Memo m, Rgb c) override {
    calls.push_back(memo(m) + " colour " + std::to_string(c.red) + "," + std::to_string(c.green));
  }
  std::string decimal_separator() const override { return ","; }
  static std::string memo(Memo m) { return m == Memo::Input ? "input" : "output"; }

  std::vector<std::string> calls;
};

TEST(Morse_Readout, HandlersSetLabelProgressColourThenTheirButtons) {
  Recording_Gauges input;
  show_input_share(99.5, input);
  EXPECT_EQ(input.calls, (std::vector<std::string>{"input caption 99,5", "input progress 100",
                                                   "input colour 0,255", "button 0 off",
                                                   "button 1 on", "button 2 on"}));
  Recording_Gauges text;
  show_input_share(99.0, text);
  EXPECT_EQ(std::vector<std::string>(text.calls.begin() + 3, text.calls.end()),
            (std::vector<std::string>{"button 0 on", "button 1 off", "button 2 off"}));

  // The output's readout touches only its own Play button.
  Recording_Gauges output;
  show_output_share(100.0, output);
  EXPECT_EQ(output.calls, (std::vector<std::string>{"output caption 100", "output progress 100",
                                                    "output colour 0,255", "button 3 on"}));
  Recording_Gauges output_text;
  show_output_share(0.0, output_text);
  EXPECT_EQ(output_text.calls.back(), "button 3 off");
}

}  // namespace
