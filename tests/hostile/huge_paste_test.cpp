// Pastes far beyond anything typed: every character comes back through both conversions,
// and the window is still there to take the next click.

#include <gtest/gtest.h>

#include <QMimeData>
#include <QRadioButton>
#include <random>

#include "hostile/hostile_window.h"

namespace {

using Huge_Paste = Hostile_Window;

// Text that every alphabet page of the Latin alphabets holds and that reads back unchanged:
// upper-case letters, digits and the punctuation with codes of their own, in words.
QString latin_text(std::size_t bytes, int line_length) {
  static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789?.,:'-/!";
  std::mt19937 gen(3);
  std::string text;
  text.reserve(bytes);
  int column = 0;
  while (text.size() < bytes) {
    if (line_length > 0 && column == line_length) {
      text += '\n';
      column = 0;
    } else if (column > 0 && column < line_length - 1 && gen() % 6 == 0 && text.back() != ' ') {
      text += ' ';
      ++column;
    } else {
      text += kChars[gen() % (sizeof kChars - 1)];
      ++column;
    }
  }
  while (text.back() == ' ' || text.back() == '\n') text.pop_back();
  return QString::fromLatin1(text);
}

// Text to Morse and back through the window's buttons; the text that comes back.
QString round_trip(TMainForm1& form) {
  QTest::mouseClick(form.Convert_Text_to_Morse_Button, Qt::LeftButton);
  form.Input_Memo->setPlainText(form.Output_Memo->toPlainText());
  QTest::mouseClick(form.Convert_Morse_to_Text_Button, Qt::LeftButton);
  return form.Output_Memo->toPlainText();
}

bool only_morse(const std::string& line) {
  return line.find_first_not_of(".- ") == std::string::npos;
}

TEST_F(Huge_Paste, FiftyMegabytesComeBackWhole) {
  const QString text = latin_text(50u << 20, 60);
  auto form = make_form();
  form->show();
  paste(*form, text);
  ASSERT_EQ(form->Input_Memo->toPlainText().size(), text.size());
  // Each output line ends in a line break. Not EXPECT_EQ: no 100 MB failure message.
  EXPECT_TRUE(round_trip(*form) == text + u'\n');
  EXPECT_EQ(form->output_area().count(), form->input_area().count());
}

TEST_F(Huge_Paste, AMillionCharacterLineComesBackWhole) {
  const QString text = latin_text(1000000, 0);
  auto form = make_form();
  form->show();
  paste(*form, text);
  EXPECT_TRUE(round_trip(*form) == text + u'\n');
  EXPECT_EQ(form->output_area().count(), 1);
}

// Whatever the clipboard holds, each conversion gives one output line per input line, and
// text becomes nothing but Morse.
void expect_line_for_line(TMainForm1& form) {
  const int lines = form.input_area().count();
  QTest::mouseClick(form.Convert_Text_to_Morse_Button, Qt::LeftButton);
  ASSERT_EQ(form.output_area().count(), lines);
  for (int i = 0; i < lines; ++i) ASSERT_TRUE(only_morse(form.output_area().line(i))) << i;
  QTest::mouseClick(form.Convert_Morse_to_Text_Button, Qt::LeftButton);
  EXPECT_EQ(form.output_area().count(), lines);
}

TEST_F(Huge_Paste, BinaryGarbageAndBrokenUtf8ConvertLineForLine) {
  auto form = make_form();
  form->show();
  std::mt19937 gen(9);
  QByteArray bytes(1 << 20, '\0');
  for (char& b : bytes) b = static_cast<char>(gen());
  auto* mime = new QMimeData;  // raw bytes: not valid UTF-8, NULs and controls included
  mime->setData("text/plain", bytes);
  QGuiApplication::clipboard()->setMimeData(mime);
  QTest::mouseClick(form->Paste_From_Clipboard_To_Input_Memo_BitBtn, Qt::LeftButton);
  ASSERT_GT(form->Input_Memo->toPlainText().size(), 100000);
  expect_line_for_line(*form);

  // UTF-16 garbage: lone surrogates, non-characters, every control.
  QString units(200000, QChar());
  for (QChar& c : units) c = QChar(static_cast<char16_t>(gen()));
  form->Input_Memo->clear();
  paste(*form, units);
  expect_line_for_line(*form);
  for (const int alphabet : {1, 2, 3}) {
    QRadioButton* b = form->Alphabet_RadioGroup->button(alphabet);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
    expect_line_for_line(*form);
  }
}

}  // namespace
