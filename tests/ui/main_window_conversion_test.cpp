// Alphabet changes and both conversions, driven through the window's own
// buttons, including what happens inside a conversion's yields.

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QScrollBar>

#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include "ui/quit_request.h"

#include "fakes/fake_messages.h"
#include "shell/main_form.h"

namespace {

const char kRussianNote[] = "N.B. The Russian Morse Codes have not been double checked yet.";

// Counts the paints of a memo and keeps the text it held at the last one, so
// that a test can tell whether the final state of a conversion got on screen.
class Memo_Paints final : public QObject {
 public:
  explicit Memo_Paints(QPlainTextEdit* memo) : memo_(memo) {
    memo->viewport()->installEventFilter(this);
  }
  int count = 0;
  QString last_text;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      ++count;
      last_text = memo_->toPlainText();
    }
    return false;
  }

 private:
  QPlainTextEdit* memo_;
};

class Main_Window_Conversion : public ::testing::Test {
 protected:
  void SetUp() override {
    form.show();  // the first showing builds the table of the selected alphabet
  }

  void type_input(const QString& text) { form.Input_Memo->setPlainText(text); }
  QStringList output_lines() {
    QStringList lines;
    for (int i = 0; i < form.output_area().count(); ++i) {
      lines << QString::fromLatin1(form.output_area().line(i));
    }
    return lines;
  }
  void choose_alphabet(int index) {
    // On the round mark: the text of a radio button takes clicks only where it is
    // written, and scaling the window changes its length.
    QRadioButton* b = form.Alphabet_RadioGroup->button(index);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
  }
  // Runs `action` at the conversion's first yield to the message loop.
  void at_first_yield(std::function<void()> action) {
    QMetaObject::invokeMethod(&form, std::move(action), Qt::QueuedConnection);
  }
  // Events posted while the loop runs wait for its next turn, so this lands
  // one yield later.
  void at_second_yield(std::function<void()> action) {
    at_first_yield([this, action = std::move(action)] { at_first_yield(action); });
  }

  Fake_Messages messages;
  static Window_Services every_turn() {
    Window_Services services;
    services.conversion_turns = {};
    return services;
  }
  // Every line and token takes its turn, so that a test can act at a given one.
  TMainForm1 form{messages, every_turn()};
};

TEST_F(Main_Window_Conversion, TextToMorseGivesOneLinePerInputLine) {
  type_input("SOS\nHi you\n\n&()\n1=2");
  QTest::mouseClick(form.Convert_Text_to_Morse_Button, Qt::LeftButton);
  EXPECT_EQ(output_lines(),
            (QStringList{"... --- ... ", ".... ..   -.-- --- ..- ", "", "", ".---- -...- ..--- "}));
  EXPECT_EQ(form.Output_Memo->textCursor().position(), 1);
}

TEST_F(Main_Window_Conversion, EmptyInputClearsTheOutput) {
  form.output_area().append("old");
  form.Convert_Text_to_Morse_ButtonClick();
  EXPECT_EQ(form.output_area().count(), 0);
  EXPECT_TRUE(form.Output_Memo->toPlainText().isEmpty());
}

TEST_F(Main_Window_Conversion, MorseToTextReadsCodesAndWordGaps) {
  type_input("... --- ...\n.... ..   -.-- --- ..-\n\n  .-  \n& .-.-.-");
  form.Convert_Morse_to_Text_ButtonClick();  // with the "&" this need not count as Morse
  EXPECT_EQ(output_lines(), (QStringList{"SOS", "HI YOU", "", "A", ".."}));
}

TEST_F(Main_Window_Conversion, LineFeedCodeStaysInsideItsOutputLineAsAPicture) {
  type_input(".- .-.- -...\n-");
  QTest::mouseClick(form.Convert_Morse_to_Text_Button, Qt::LeftButton);
  EXPECT_EQ(form.output_area().count(), 2);
  EXPECT_EQ(form.output_area().line(0), std::string("A\nB"));
  EXPECT_EQ(form.Output_Memo->document()->firstBlock().text(), QString::fromUtf16(u"A\u240AB"));
}

TEST_F(Main_Window_Conversion, StartsOnTheEnglishAlphabet) {
  EXPECT_EQ(form.Alphabet_RadioGroup->itemIndex(), 0);
  EXPECT_TRUE(form.Alphabet_RadioGroup->button(0)->isChecked());
  EXPECT_EQ(form.Morse_Code_Table['A'].Morse_Code, ".-");
  EXPECT_TRUE(form.Morse_Code_Table[201].Morse_Code.empty());
}

TEST_F(Main_Window_Conversion, RussianAlphabetUsesCyrillicTextAndShowsItsNoteOnEveryChoice) {
  choose_alphabet(3);
  choose_alphabet(3);  // choosing it again changes nothing
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, kRussianNote);
  EXPECT_EQ(messages.shown[0].icon, Message_Icon::Information);
  EXPECT_EQ(messages.shown[0].buttons, Message_Buttons::Ok);

  type_input(QString::fromUtf16(u"СОС мир\n.-.- ......"));
  QTest::mouseClick(form.Convert_Text_to_Morse_Button, Qt::LeftButton);
  EXPECT_EQ(form.output_area().line(0), "... --- ... ");  // lower case and space dropped
  type_input(QString::fromUtf16(u".-.- ......"));
  QTest::mouseClick(form.Convert_Morse_to_Text_Button, Qt::LeftButton);
  EXPECT_EQ(form.Output_Memo->toPlainText(), QString::fromUtf16(u"Я.\n"));

  choose_alphabet(1);
  choose_alphabet(3);
  EXPECT_EQ(messages.shown.size(), 2u);
}

TEST_F(Main_Window_Conversion, ChoosingAnotherAlphabetLeavesNothingOfTheLastOneBehind) {
  choose_alphabet(3);
  choose_alphabet(1);
  EXPECT_TRUE(form.Morse_Code_Table[192].Morse_Code.empty());
  EXPECT_EQ(form.Morse_Code_Table[193].Morse_Code, ".--.-");
  type_input(QString::fromUtf16(u"ÁÉ é"));
  QTest::mouseClick(form.Convert_Text_to_Morse_Button, Qt::LeftButton);
  EXPECT_EQ(form.output_area().line(0), ".--.- ..-..   ");
}

// While it converts, the output view centres on scroll (see Appending_View); afterwards it
// scrolls as any area does: its range ends at the last full page, not at the last line.
// How many lines a page holds depends on the font the machine gives for the memo's family,
// so the centred range is measured rather than assumed.
TEST_F(Main_Window_Conversion, TheOutputScrollsAsBeforeOnceAConversionEnds) {
  QStringList lines;
  for (int i = 0; i < 300; ++i) lines << "SOS " + QString::number(i);
  type_input(lines.join('\n'));
  at_first_yield([&] { QTest::mouseClick(form.Convert_Text_to_Morse_Button, Qt::LeftButton); });
  QTest::mouseClick(form.Convert_Text_to_Morse_Button, Qt::LeftButton);  // and one nested
  QCoreApplication::processEvents();
  QScrollBar* bar = form.Output_Memo->verticalScrollBar();
  const int converted_range = bar->maximum();
  form.Output_Memo->setPlainText(form.Output_Memo->toPlainText());
  QCoreApplication::processEvents();
  EXPECT_EQ(converted_range, bar->maximum());
  form.Output_Memo->setCenterOnScroll(true);
  QCoreApplication::processEvents();
  EXPECT_LT(converted_range, bar->maximum());
}

TEST_F(Main_Window_Conversion, AnInputEditMadeDuringAYieldIsSeenByTheNextLine) {
  type_input("E\nT");
  at_first_yield([&] { form.input_area().set_line(1, "I"); });
  QTest::mouseClick(form.Convert_Text_to_Morse_Button, Qt::LeftButton);
  EXPECT_EQ(output_lines(), (QStringList{". ", ".. "}));
}

TEST_F(Main_Window_Conversion, LinesAddedDuringAYieldAreConvertedToo) {
  type_input("E");
  at_first_yield([&] { form.input_area().append("T"); });
  QTest::mouseClick(form.Convert_Text_to_Morse_Button, Qt::LeftButton);
  EXPECT_EQ(output_lines(), (QStringList{". ", "- "}));
}

TEST_F(Main_Window_Conversion, AnAlphabetChangeDuringAYieldIsSeenByTheNextToken) {
  type_input(".-.- .-.-");
  at_first_yield([&] { choose_alphabet(3); });
  QTest::mouseClick(form.Convert_Morse_to_Text_Button, Qt::LeftButton);
  // The first token is read as a Latin line feed, the second as Cyrillic Я.
  EXPECT_EQ(form.output_area().line(0), std::string("\n\xDF"));
  EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(Main_Window_Conversion, AConversionStartedDuringAYieldRunsToItsEndFirst) {
  type_input("E\nT\nI");
  bool nested = false;
  at_first_yield([&] {
    nested = true;
    QTest::mouseClick(form.Convert_Text_to_Morse_Button, Qt::LeftButton);
  });
  QTest::mouseClick(form.Convert_Text_to_Morse_Button, Qt::LeftButton);
  ASSERT_TRUE(nested);
  // The nested run cleared the output and wrote all three lines; the first
  // run then went on with its second and third lines.
  EXPECT_EQ(output_lines(), (QStringList{". ", "- ", ".. ", "- ", ".. "}));
}

TEST_F(Main_Window_Conversion, TheOutputIsPaintedOnceAConversionEnds) {
  QCoreApplication::processEvents();  // the first showing's paints
  Memo_Paints paints(form.Output_Memo);
  // A few lines, all in view, so that the last yields come before the next
  // frame and hold their repaints back.
  type_input("E\nT\nI\nM");
  QTest::mouseClick(form.Convert_Text_to_Morse_Button, Qt::LeftButton);
  QCoreApplication::processEvents();
  EXPECT_EQ(paints.last_text, form.Output_Memo->toPlainText());
  EXPECT_EQ(paints.last_text, ". \n- \n.. \n-- \n");

  type_input(".\n-\n..\n--");
  QTest::mouseClick(form.Convert_Morse_to_Text_Button, Qt::LeftButton);
  QCoreApplication::processEvents();
  EXPECT_EQ(paints.last_text, "E\nT\nI\nM\n");
}

TEST_F(Main_Window_Conversion, ABoxOpenedDuringAYieldPaintsTheWindow) {
  QCoreApplication::processEvents();
  Memo_Paints paints(form.Output_Memo);
  int lines_when_shown = -1;
  int paints_while_shown = -1;
  messages.while_shown = [&] {
    lines_when_shown = form.output_area().count();
    const int before = paints.count;
    QEventLoop box;  // a real box runs its own event loop
    Quit_Request quit(box);
    box.exec();
    paints_while_shown = paints.count - before;
  };
  type_input("E\nT\nI");
  // A new window's first yield shows a frame; the second, right after it,
  // holds its repaints back.
  at_second_yield([&] { choose_alphabet(3); });
  QTest::mouseClick(form.Convert_Text_to_Morse_Button, Qt::LeftButton);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(lines_when_shown, 2);
  EXPECT_EQ(paints_while_shown, 1);
}

}  // namespace
