// The line-list adapter over a real text control.

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTextBlock>

#include "shell/text_area.h"

namespace {

class Text_Area_Test : public ::testing::Test {
 protected:
  QPlainTextEdit edit;
  Code_Page page = Code_Page::Windows_1252;
  Text_Area area{&edit, [this] { return page; }, false};
  Text_Area pictured{&edit, [this] { return page; }, true};
};

TEST_F(Text_Area_Test, CountsLinesLikeALineList) {
  EXPECT_EQ(area.count(), 0);
  edit.setPlainText("a");
  EXPECT_EQ(area.count(), 1);
  edit.setPlainText("a\nb\n");  // the empty line after the closing break is no line
  EXPECT_EQ(area.count(), 2);
  edit.setPlainText("a\n\n");
  EXPECT_EQ(area.count(), 2);
  EXPECT_EQ(area.line(1), "");
  EXPECT_EQ(area.line(2), "");   // outside the list
  EXPECT_EQ(area.line(-1), "");  // outside the list
}

TEST_F(Text_Area_Test, AppendedEmptyLinesAreRealLines) {
  area.append("");
  area.append("");
  EXPECT_EQ(area.count(), 2);
  area.append("x");
  EXPECT_EQ(area.count(), 3);
  EXPECT_EQ(area.line(2), "x");
  EXPECT_EQ(edit.toPlainText(), "\n\nx\n");
  area.clear();
  EXPECT_EQ(area.count(), 0);
}

TEST_F(Text_Area_Test, AppendingAfterTextWithoutAClosingBreakStartsANewLine) {
  edit.setPlainText("typed");
  area.append("added");
  EXPECT_EQ(area.count(), 2);
  EXPECT_EQ(area.line(0), "typed");
  EXPECT_EQ(area.line(1), "added");
}

TEST_F(Text_Area_Test, LinesOfAnyLengthRoundTrip) {
  std::string long_line(3'000'000, '.');
  for (size_t i = 0; i < long_line.size(); i += 7) long_line[i] = '-';
  area.append(long_line);
  area.append("end");
  EXPECT_EQ(area.count(), 2);
  EXPECT_EQ(area.line(0), long_line);
  area.set_line(0, "short");
  EXPECT_EQ(area.line(0), "short");
  EXPECT_EQ(area.line(1), "end");
}

TEST_F(Text_Area_Test, BytesFollowTheCodePageOfTheMoment) {
  area.append("\xC0\xDF");
  EXPECT_EQ(edit.toPlainText(), QString::fromUtf16(u"Àß\n"));
  page = Code_Page::Windows_1251;
  // Shown text stays; it reads back as whatever the new page makes of it.
  EXPECT_EQ(area.line(0), "");
  area.append("\xC0\xDF");
  EXPECT_EQ(edit.document()->findBlockByNumber(1).text(), QString::fromUtf16(u"АЯ"));
  EXPECT_EQ(area.line(1), "\xC0\xDF");
}

TEST_F(Text_Area_Test, ControlBytesAreShownAsPicturesAndReadBack) {
  pictured.append(std::string("A\nB\x1A\tC", 6));
  EXPECT_EQ(pictured.count(), 1);
  EXPECT_EQ(edit.toPlainText(), QString::fromUtf16(u"A\u240AB\u241A\u2409C\n"));
  EXPECT_EQ(pictured.line(0), std::string("A\nB\x1A\tC", 6));
}

// A batch gives the very text that appending its lines one by one gives: after
// typed text without a closing break, with empty lines, control bytes and the
// upper half of the code page.
TEST_F(Text_Area_Test, AppendingLinesTogetherGivesWhatAppendingEachGives) {
  const std::vector<std::string> lines = {"", std::string("A\nB\x1A", 4), "", "\xC0\xFF end"};
  Line_Batch batch;
  for (const std::string& line : lines) batch.add(line);
  for (Code_Page each : {Code_Page::Windows_1252, Code_Page::Windows_1251}) {
    page = each;
    QPlainTextEdit one_by_one;
    one_by_one.setPlainText("typed");
    Text_Area single(
        &one_by_one, [this] { return page; }, true);
    for (const std::string& line : lines) single.append(line);
    edit.setPlainText("typed");
    pictured.append_lines(batch);
    EXPECT_EQ(edit.toPlainText(), one_by_one.toPlainText());
    EXPECT_EQ(pictured.count(), 5);
    EXPECT_EQ(pictured.line(2), std::string("A\nB\x1A", 4));
  }
}

TEST_F(Text_Area_Test, SelectionStartIsClampedToTheText) {
  edit.setPlainText("abc");
  area.set_selection_start(1);
  EXPECT_EQ(edit.textCursor().position(), 1);
  area.clear();
  area.set_selection_start(1);
  EXPECT_EQ(edit.textCursor().position(), 0);
}

}  // namespace
