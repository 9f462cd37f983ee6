// Alphabet changes and both conversions, driven through the window's own
// buttons, including what happens inside a conversion's yields.

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>

#include "fakes/fake_messages.h"
#include "shell/main_form.h"

namespace {

const char kRussianNote[] = "N.B. The Russian Morse Codes have not been double checked yet.";

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
    QTest::mouseClick(form.Alphabet_RadioGroup->button(index), Qt::LeftButton);
  }
  // Runs `action` at the conversion's first yield to the message loop.
  void at_first_yield(std::function<void()> action) {
    QMetaObject::invokeMethod(&form, std::move(action), Qt::QueuedConnection);
  }

  Fake_Messages messages;
  TMainForm1 form{messages};
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
  QTest::mouseClick(form.Convert_Text_to_Morse_Button, Qt::LeftButton);
  EXPECT_EQ(form.output_area().count(), 0);
  EXPECT_TRUE(form.Output_Memo->toPlainText().isEmpty());
}

TEST_F(Main_Window_Conversion, MorseToTextReadsCodesAndWordGaps) {
  type_input("... --- ...\n.... ..   -.-- --- ..-\n\n  .-  \n& .-.-.-");
  QTest::mouseClick(form.Convert_Morse_to_Text_Button, Qt::LeftButton);
  EXPECT_EQ(output_lines(), (QStringList{"SOS", "HI YOU", "", "A", ".."}));
}

TEST_F(Main_Window_Conversion, LineFeedCodeStaysInsideItsOutputLineAsAPicture) {
  type_input(".- .-.- -...\n-");
  QTest::mouseClick(form.Convert_Morse_to_Text_Button, Qt::LeftButton);
  EXPECT_EQ(form.output_area().count(), 2);
  EXPECT_EQ(form.output_area().line(0), std::string("A\nB"));
  EXPECT_EQ(form.Output_Memo->document()->firstBlock().text(), QString::fromUtf16(u"A\u240AB"));
}

TEST_F(Main_Window_Conversion, RussianAlphabetUsesCyrillicTextAndShowsItsNoteOnEveryChoice) {
  choose_alphabet(3);
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

}  // namespace
