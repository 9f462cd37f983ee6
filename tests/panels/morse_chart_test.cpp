#include "panels/morse_chart.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "panels/control_pictures.h"

namespace {

// Centring written out again here, so that a fault in the padding routine
// shows up in the chart rather than being copied into the expectation.
std::string centred(const std::string& s, int width) {
  const int d = width - static_cast<int>(s.size());
  if (d <= 0) return s;
  const int left = std::max(0, d / 2 - 1);
  return std::string(left, ' ') + s + std::string(d - left, ' ');
}

std::string expected_row(int c, const TMorse_Code_Record& e) {
  std::string long_form;
  for (char symbol : e.Morse_Code) long_form += symbol == '.' ? "Dot " : "Dash ";
  return centred(std::string(1, static_cast<char>(c)), 4) + "  " + centred(e.Information, 15) +
         "  " + centred(e.Morse_Code, 15) + "  " + centred(long_form, 35);
}

std::vector<std::string> rows_of(const std::vector<std::string>& lines) {
  return {lines.begin() + 5, lines.end()};
}

TMorse_Code_Table table_for(int alphabet) {
  TMorse_Code_Table table;
  Build_Morse_Code_Table(table, alphabet);
  return table;
}

// Column by column, with the two-space gaps on their own.
const std::string kHeading = std::string("Char") + "  " + " Information   " + "  " +
                             " Morse Code    " + "  " + "        Morse Code (Long)          ";
const std::string kRule = "----  ---------------  ---------------  " + std::string(35, '-');

}  // namespace

TEST(Morse_Chart, OpensWithNameHeadingAndRule) {
  const auto lines = morse_chart_lines(table_for(kAlphabet_English), "English Alphabet");
  ASSERT_GT(lines.size(), 5u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 5),
            (std::vector<std::string>{"English Alphabet", "", kHeading, kRule, ""}));
  EXPECT_EQ(morse_chart_caption("English Alphabet"), "Morse Code Chart - English Alphabet : ");
  const std::string a_row = std::string("A   ") + "  " + "    Alfa       " + "  " +
                            "     .-        " + "  " + std::string(12, ' ') + "Dot Dash " +
                            std::string(14, ' ');
  EXPECT_EQ(a_row.size(), 75u);
  EXPECT_NE(std::find(lines.begin(), lines.end(), a_row), lines.end());
}

// The expected rows are built in byte order, so this also checks that digits
// come before letters and the code page's upper half comes last.
TEST(Morse_Chart, EveryAlphabetListsEachCodedByteInAscendingOrder) {
  const std::pair<int, std::size_t> row_counts[] = {{kAlphabet_English, 49},
                                                    {kAlphabet_European, 55},
                                                    {kAlphabet_Norwegian, 55},
                                                    {kAlphabet_Russian, 44}};
  for (const auto& [alphabet, count] : row_counts) {
    const TMorse_Code_Table table = table_for(alphabet);
    std::vector<std::string> expected;
    for (int c = 1; c <= 255; ++c) {
      if (c != '\t' && c != ' ' && !table[c].Morse_Code.empty()) {
        expected.push_back(expected_row(c, table[c]));
      }
    }
    const auto rows = rows_of(morse_chart_lines(table, "X"));
    EXPECT_EQ(rows, expected) << alphabet;
    EXPECT_EQ(rows.size(), count) << alphabet;
  }
}

TEST(Morse_Chart, ControlCharacterEntriesShowTheirRawByte) {
  const auto rows = rows_of(morse_chart_lines(table_for(kAlphabet_English), "English Alphabet"));
  ASSERT_GE(rows.size(), 3u);
  EXPECT_EQ(rows[0], std::string("\n   ") + "  " + "     LF        " + "  " + "    .-.-       " +
                         "  " + "       Dot Dash Dot Dash " + std::string(10, ' '));
  EXPECT_EQ(rows[1].substr(0, 4), "\r   ");
  EXPECT_EQ(rows[2].substr(0, 4), "\x1a   ");
  EXPECT_EQ(rows[2].substr(6, 15), " EoF Message   ");
}

TEST(Morse_Chart, OverlongValuesAreWrittenWholeAndPushLaterColumnsRight) {
  TMorse_Code_Table table = table_for(kAlphabet_English);
  table['T'].Morse_Code = "-------";
  table['M'].Morse_Code = "--------";
  table['E'].Information = "Echo Echo Echo Echo";
  const auto rows = rows_of(morse_chart_lines(table, "English Alphabet"));
  const auto row_for = [&rows](char c) {
    return *std::find_if(rows.begin(), rows.end(), [c](const std::string& r) { return r[0] == c; });
  };
  std::string dashes;
  for (int i = 0; i < 7; ++i) dashes += "Dash ";
  EXPECT_EQ(row_for('T'), std::string("T   ") + "  " + "    Tango      " + "  " +
                              "   -------     " + "  " + dashes);
  EXPECT_EQ(row_for('M'), std::string("M   ") + "  " + "    Mike       " + "  " +
                              "  --------     " + "  " + dashes + "Dash ");
  EXPECT_EQ(row_for('E'), std::string("E   ") + "  " + "Echo Echo Echo Echo" + "  " +
                              "      .        " + "  " + std::string(14, ' ') + "Dot " +
                              std::string(17, ' '));
  // The digits have no Information.
  EXPECT_EQ(row_for('1').substr(4, 19), std::string(19, ' '));
}

namespace {

class Recording_Report : public Report_Window {
 public:
  std::vector<std::string> calls;
  void clear_report() override { calls.push_back("clear"); }
  void append_report_line(std::string_view line) override {
    calls.push_back("line " + std::string(line));
  }
  void set_report_caption(const std::string& caption) override {
    calls.push_back("caption " + caption);
  }
  void show_report() override { calls.push_back("show"); }
};

}  // namespace

TEST(Morse_Chart, ShowCodesWritesAFreshChartEachTime) {
  Recording_Report report;
  TMorse_Code_Table table = table_for(kAlphabet_English);
  Show_Codes(table, "English Alphabet", report);
  const auto lines = morse_chart_lines(table, "English Alphabet");
  std::vector<std::string> expected{"clear", "line English Alphabet", "line ",
                                    "caption Morse Code Chart - English Alphabet : "};
  for (std::size_t i = 2; i < lines.size(); ++i) expected.push_back("line " + lines[i]);
  expected.push_back("show");
  EXPECT_EQ(report.calls, expected);

  report.calls.clear();
  Build_Morse_Code_Table(table, kAlphabet_Russian);
  Show_Codes(table, "Russian Alphabet", report);
  EXPECT_EQ(report.calls.front(), "clear");
  EXPECT_EQ(report.calls[3], "caption Morse Code Chart - Russian Alphabet : ");
  EXPECT_EQ(report.calls.size(), 1 + 5 + 44 + 2u);
}

TEST(Control_Pictures, PicturesTurnBackIntoTheirControlCharacters) {
  EXPECT_EQ(with_control_characters(u"A\u240AB\u240D\u241A\u2400\u241F\u2421"),
            std::u16string(u"A\nB\r\x1a") + u'\0' + u"\x1f\x7f");
  // The pictures for space and blank are not control characters.
  EXPECT_EQ(with_control_characters(u"\u2420\u2422\u23FF x"), u"\u2420\u2422\u23FF x");
}
