// The readouts, clipboard commands, reset and code chart of the real window,
// driven through its own controls.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLocale>
#include <QMimeData>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include "fakes/fake_messages.h"
#include "shell/main_form.h"

namespace {

class Main_Window_Panels : public ::testing::Test {
 protected:
  void SetUp() override {
    form.set_results_form(&results);
    form.show();
    QCoreApplication::processEvents();
  }

  void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  static QClipboard* clipboard() { return QGuiApplication::clipboard(); }
  void choose_alphabet(int index) {
    QAbstractButton* item = form.Alphabet_RadioGroup->button(index);
    QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(8, item->height() / 2));
  }

  // What the four content buttons are: text to Morse, Morse to text, both Play.
  std::vector<bool> buttons() const {
    return {form.Convert_Text_to_Morse_Button->isEnabled(),
            form.Convert_Morse_to_Text_Button->isEnabled(),
            form.Play_Back_Input_Memo_BitBtn->isEnabled(),
            form.Play_Back_Output_Memo_BitBtn->isEnabled()};
  }

  // The colour the user sees in the filled part of a gauge.
  static QColor bar_pixel(QProgressBar* gauge) {
    const QImage image = gauge->grab().toImage();
    return image.pixelColor(4, image.height() / 2);
  }

  Fake_Messages messages;
  TMainForm1 form{messages};
  TResults_Form results{&form};
};

TEST_F(Main_Window_Panels, StartsEmptyWithItsCommandsDisabledAndUnmeasuredReadouts) {
  EXPECT_EQ(buttons(), (std::vector<bool>{false, false, false, false}));
  EXPECT_EQ(form.Morse_Pct_Input_Memo_Label->text(), "???.???");
  EXPECT_EQ(form.Morse_Pct_Output_Memo_Label->text(), "???.???");
  EXPECT_EQ(form.Morse_Pct_Input_Memo_Gauge->value(), 0);
  EXPECT_EQ(form.Morse_Pct_Output_Memo_Gauge->value(), 0);
  choose_alphabet(3);  // nothing to recount: the start state stands
  EXPECT_EQ(buttons(), (std::vector<bool>{false, false, false, false}));
  EXPECT_EQ(form.Morse_Pct_Input_Memo_Label->text(), "???.???");
}

TEST_F(Main_Window_Panels, TypingSetsTheReadoutAndOffersTheFittingCommands) {
  QTest::keyClicks(form.Input_Memo, ".- -...");
  EXPECT_EQ(form.Morse_Pct_Input_Memo_Label->text(), "100");
  EXPECT_EQ(form.Morse_Pct_Input_Memo_Gauge->value(), 100);
  EXPECT_EQ(buttons(), (std::vector<bool>{false, true, true, false}));

  EXPECT_EQ(bar_pixel(form.Morse_Pct_Input_Memo_Gauge), QColor(0, 255, 0));

  form.Input_Memo->selectAll();
  QTest::keyClicks(form.Input_Memo, "HELLO STOP");
  EXPECT_EQ(form.Morse_Pct_Input_Memo_Label->text(), "50");
  EXPECT_EQ(buttons(), (std::vector<bool>{true, false, false, false}));
  EXPECT_EQ(bar_pixel(form.Morse_Pct_Input_Memo_Gauge), QColor(255, 0, 0));

  form.Input_Memo->setPlainText(QString(99, u'.') + "A");
  EXPECT_EQ(form.Morse_Pct_Input_Memo_Label->text(), "99");
  EXPECT_EQ(bar_pixel(form.Morse_Pct_Input_Memo_Gauge), QColor(255, 255, 0));
  EXPECT_EQ(buttons(), (std::vector<bool>{true, false, false, false}));

  form.Input_Memo->selectAll();
  QTest::keyClick(form.Input_Memo, Qt::Key_Delete);
  EXPECT_EQ(form.Morse_Pct_Input_Memo_Label->text(), "0");
  EXPECT_EQ(buttons(), (std::vector<bool>{true, false, false, false}));
}

TEST_F(Main_Window_Panels, TheOutputReadoutFollowsAConversionAndPaintsItsBar) {
  QTest::keyClicks(form.Input_Memo, "SOS");
  click(form.Convert_Text_to_Morse_Button);
  EXPECT_EQ(form.Morse_Pct_Output_Memo_Label->text(), "100");
  EXPECT_TRUE(form.Play_Back_Output_Memo_BitBtn->isEnabled());
  // The input's commands are the input's alone.
  EXPECT_EQ(buttons(), (std::vector<bool>{true, false, false, true}));
  QCoreApplication::processEvents();
  EXPECT_EQ(bar_pixel(form.Morse_Pct_Output_Memo_Gauge), QColor(0, 255, 0));

  form.Input_Memo->setPlainText("... --- ...\n.-.-.-");
  click(form.Convert_Morse_to_Text_Button);
  EXPECT_EQ(form.Morse_Pct_Output_Memo_Label->text(), "25");  // "SOS" and "."
  EXPECT_FALSE(form.Play_Back_Output_Memo_BitBtn->isEnabled());
  QCoreApplication::processEvents();
  EXPECT_EQ(bar_pixel(form.Morse_Pct_Output_Memo_Gauge), QColor(255, 0, 0));
}

TEST_F(Main_Window_Panels, TheShareCountsTheAreaInTheAlphabetsCodePage) {
  // The share is written in the locale's decimal form; a locale of the test's
  // own makes that the same on every machine.
  struct Locale_Guard {
    QLocale before;
    ~Locale_Guard() { QLocale::setDefault(before); }
  } guard;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  // Cyrillic letters have no byte in the Latin code page, so they are not
  // characters of the line the conversions see.
  form.Input_Memo->setPlainText(QString::fromUtf16(u"... Жж"));
  EXPECT_EQ(form.Morse_Pct_Input_Memo_Label->text(), "100");
  EXPECT_EQ(buttons(), (std::vector<bool>{false, true, true, false}));
  choose_alphabet(3);
  // Recounted at once: now the input is text.
  EXPECT_EQ(form.Morse_Pct_Input_Memo_Label->text(), "66,6666666666667");  // 4 of 6
  EXPECT_EQ(form.Morse_Pct_Input_Memo_Gauge->value(), 67);
  EXPECT_EQ(buttons(), (std::vector<bool>{true, false, false, false}));
  QTest::keyClick(form.Input_Memo, Qt::Key_End);
  QTest::keyClicks(form.Input_Memo, " ");
  EXPECT_EQ(form.Morse_Pct_Input_Memo_Label->text(), "71,4285714285714");  // 5 of 7
}

TEST_F(Main_Window_Panels, PasteReplacesTheWholeInputWithTheClipboardText) {
  form.Input_Memo->setPlainText("old text");
  form.Input_Memo->moveCursor(QTextCursor::End);
  clipboard()->setText(".- -...\r\n-.-.");
  click(form.Paste_From_Clipboard_To_Input_Memo_BitBtn);
  EXPECT_EQ(form.Input_Memo->toPlainText(), ".- -...\n-.-.");
  EXPECT_EQ(form.Input_Memo->textCursor().position(), 1);
  EXPECT_EQ(buttons(), (std::vector<bool>{false, true, true, false}));

  clipboard()->setText("Hello");
  click(form.Paste_From_Clipboard_To_Input_Memo_BitBtn);
  EXPECT_EQ(form.Input_Memo->toPlainText(), "Hello");
  EXPECT_EQ(buttons(), (std::vector<bool>{true, false, false, false}));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Main_Window_Panels, PasteWithoutTextOnTheClipboardSaysSoAndChangesNothing) {
  form.Input_Memo->setPlainText("keep me");
  auto* image_only = new QMimeData;
  image_only->setImageData(QImage(4, 4, QImage::Format_RGB32));
  clipboard()->setMimeData(image_only);
  click(form.Paste_From_Clipboard_To_Input_Memo_BitBtn);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "There is no text on the Clipboard");
  EXPECT_EQ(messages.shown[0].icon, Message_Icon::Information);
  EXPECT_EQ(messages.shown[0].buttons, Message_Buttons::Ok);
  EXPECT_EQ(form.Input_Memo->toPlainText(), "keep me");
}

TEST_F(Main_Window_Panels, CopyTakesTheWholeOutputWithItsRawCharacters) {
  form.Input_Memo->setPlainText(".- .-.- -...\n--..");
  click(form.Convert_Morse_to_Text_Button);
  QTextCursor part = form.Output_Memo->textCursor();
  part.setPosition(0);
  part.setPosition(1, QTextCursor::KeepAnchor);
  form.Output_Memo->setTextCursor(part);
  click(form.Copy_Output_Memo_To_Clipboard_BitBtn);
  // The line feed read from ".-.-" is shown as a picture but copied as itself.
  EXPECT_EQ(clipboard()->text(), "A\nB\nZ\n");
  EXPECT_EQ(form.Output_Memo->textCursor().selectedText().size(),
            form.Output_Memo->document()->characterCount() - 1);

  // Round trip: the copied text pasted back converts to the same Morse.
  clipboard()->setText("CQ DE TAPWREN");
  click(form.Paste_From_Clipboard_To_Input_Memo_BitBtn);
  click(form.Convert_Text_to_Morse_Button);
  click(form.Copy_Output_Memo_To_Clipboard_BitBtn);
  EXPECT_EQ(clipboard()->text(), "-.-. --.-   -.. .   - .- .--. .-- .-. . -. \n");
}

TEST_F(Main_Window_Panels, CopyOfAnEmptyOutputLeavesTheClipboardAlone) {
  clipboard()->setText("copied elsewhere");
  click(form.Copy_Output_Memo_To_Clipboard_BitBtn);
  EXPECT_EQ(clipboard()->text(), "copied elsewhere");
}

TEST_F(Main_Window_Panels, ResetEmptiesBothAreasAndDisablesTheFourButtons) {
  QTest::keyClicks(form.Input_Memo, "Hi");
  click(form.Convert_Text_to_Morse_Button);
  ASSERT_EQ(buttons(), (std::vector<bool>{true, false, false, true}));
  click(form.Reset_Input_Memo_BitBtn);
  EXPECT_TRUE(form.Input_Memo->toPlainText().isEmpty());
  EXPECT_TRUE(form.Output_Memo->toPlainText().isEmpty());
  EXPECT_EQ(buttons(), (std::vector<bool>{false, false, false, false}));
  EXPECT_EQ(form.Morse_Pct_Output_Memo_Label->text(), "0");
  click(form.Reset_Input_Memo_BitBtn);
  EXPECT_EQ(buttons(), (std::vector<bool>{false, false, false, false}));
  // The next change decides again.
  QTest::keyClicks(form.Input_Memo, "-");
  EXPECT_EQ(buttons(), (std::vector<bool>{false, true, true, false}));
}

TEST_F(Main_Window_Panels, TheChartOpensBesideTheWindowAndIsReplacedInPlace) {
  click(form.Morse_Code_Chart_BitBtn);
  ASSERT_TRUE(results.isVisible());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(results.windowTitle(), "Morse Code Chart - English Alphabet : ");
  const QTextDocument* report = results.Report_Memo->document();
  EXPECT_EQ(report->findBlockByNumber(0).text(), "English Alphabet");
  // The line feed row stays one line, shown by its picture.
  EXPECT_EQ(report->findBlockByNumber(5).text().left(1), QString(QChar(0x240A)));
  const int english_lines = report->blockCount();

  QTest::mouseClick(form.Alphabet_RadioGroup->button(3), Qt::LeftButton, {},
                    QPoint(8, form.Alphabet_RadioGroup->button(3)->height() / 2));
  form.Show_Codes_Option->trigger();
  EXPECT_EQ(results.windowTitle(), "Morse Code Chart - Russian Alphabet : ");
  EXPECT_EQ(report->findBlockByNumber(0).text(), "Russian Alphabet");
  EXPECT_NE(report->blockCount(), english_lines);
  EXPECT_TRUE(results.Report_Memo->toPlainText().contains(QString::fromUtf16(u"\nА  ")));
  EXPECT_EQ(form.findChildren<TResults_Form*>().size(), 1);

  results.Clipboard_BitBtnClick();
  const QByteArray copied = clipboard()->text().toUtf8();
  EXPECT_TRUE(copied.startsWith("Russian Alphabet\n\nChar  "));
  // Typing in the main window goes on while the dialog is open.
  QTest::keyClicks(form.Input_Memo, "E");
  EXPECT_EQ(form.Input_Memo->toPlainText(), "E");
}

TEST_F(Main_Window_Panels, AboutOpensModallyWithTheVersionAndItsTexts) {
  EXPECT_EQ(form.windowTitle(), "Tapwren v2.0f");
  TAboutBox& about = form.about_box();
  bool modal = false;
  QTimer::singleShot(0, &form, [&] {
    modal = QApplication::activeModalWidget() == &about;
    EXPECT_EQ(about.windowTitle(), "About Tapwren v2.0f ...");
    EXPECT_EQ(about.Product_Name_Label->text(), "Tapwren v2.0f");
    EXPECT_FALSE(about.Developed_Using_Label->text().isEmpty());
    EXPECT_FALSE(about.Free_Resources_Label->text().isEmpty());
    about.OKButtonClick();
  });
  form.AboutOption->trigger();
  EXPECT_TRUE(modal);
  EXPECT_FALSE(about.isVisible());
}

}  // namespace
