// The report dialog, offscreen: its design, how it shows and hides, and what it copies.

#include "panels/results_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QScreen>
#include <QTextCursor>
#include <QWidget>

namespace {

class Results_Form_Test : public ::testing::Test {
 protected:
  void SetUp() override {
    // A small main window in a corner, so that centring over it and centring
    // on the screen give different places.
    main_window.setGeometry(10, 10, 200, 120);
    main_window.show();
  }

  QPoint screen_centre_place() const {
    const QRect area = main_window.screen()->availableGeometry();
    const QSize frame = form.frameGeometry().size();
    return area.topLeft() +
           QPoint((area.width() - frame.width()) / 2, (area.height() - frame.height()) / 2);
  }

  QWidget main_window;
  TResults_Form form{&main_window};
};

void expect_button(QPushButton* b, const char* name, QRect bounds, const char* caption,
                   const char* hint) {
  EXPECT_EQ(b->objectName(), name);
  EXPECT_EQ(b->geometry(), bounds) << name;
  EXPECT_EQ(b->text(), caption);
  EXPECT_EQ(b->toolTip(), hint);
  EXPECT_EQ(b->font().family(), "Times New Roman");
  EXPECT_EQ(b->font().pointSize(), 11);  // 15 px
  EXPECT_TRUE(b->font().bold());
  EXPECT_FALSE(b->icon().isNull()) << name;
}

}  // namespace

TEST_F(Results_Form_Test, ControlsHaveTheirDesignPlacesCaptionsAndFonts) {
  EXPECT_TRUE(form.isHidden());
  EXPECT_EQ(form.objectName(), "Results_Form");
  EXPECT_EQ(form.windowTitle(), "Results_Form");
  EXPECT_EQ(form.windowType(), Qt::Dialog);
  EXPECT_EQ(form.minimumSize(), QSize(630, 434));
  EXPECT_EQ(form.maximumSize(), QSize(630, 434));
  EXPECT_EQ(form.font().pointSize(), 8);  // 11 px

  QPlainTextEdit* memo = form.Report_Memo;
  EXPECT_EQ(memo->objectName(), "Report_Memo");
  EXPECT_EQ(memo->geometry(), QRect(4, 2, 617, 391));
  EXPECT_TRUE(memo->isReadOnly());
  EXPECT_EQ(memo->toPlainText(), "Report_Memo");
  EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  EXPECT_EQ(memo->font().pointSize(), 9);  // 12 px
  EXPECT_TRUE(QFontInfo(memo->font()).fixedPitch())
      << QFontInfo(memo->font()).family().toStdString();

  expect_button(form.Clipboard_BitBtn, "Clipboard_BitBtn", {129, 397, 175, 35}, "Copy to Clipboard",
                "Copy to Window's Clipboard.");
  expect_button(form.Exit_BitBtn, "Exit_BitBtn", {327, 397, 175, 35}, "OK", "Close this Window");
  EXPECT_EQ(form.Clipboard_BitBtn->nextInFocusChain(), form.Exit_BitBtn);
}

TEST_F(Results_Form_Test, ShowsWithoutBlockingCentredOnTheScreenAndStaysOneWindow) {
  form.show_non_modal();
  EXPECT_TRUE(form.isVisible());
  EXPECT_FALSE(form.isModal());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(form.size(), QSize(630, 434));
  EXPECT_EQ(form.pos(), screen_centre_place());

  // Asked again while open: the same window where the user left it.
  form.move(30, 40);
  const QPoint moved = form.pos();
  form.setWindowTitle("Second report");
  form.show_non_modal();
  EXPECT_EQ(form.pos(), moved);
  int dialogs = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (qobject_cast<TResults_Form*>(w) && w->isVisible()) ++dialogs;
  }
  EXPECT_EQ(dialogs, 1);

  form.Report_Memo->setPlainText("kept");
  form.Exit_BitBtn->click();
  EXPECT_TRUE(form.isHidden());
  EXPECT_EQ(form.windowTitle(), "Second report");
  EXPECT_EQ(form.Report_Memo->toPlainText(), "kept");

  form.show_non_modal();
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.pos(), screen_centre_place());
}

TEST_F(Results_Form_Test, CopyPutsTheRawReportLinesOnTheClipboardAndSelectsAll) {
  const QString long_line = QString(300, u'x');
  const QStringList shown = {"Chart", u"A\u240AB\u241A"_qs, "", long_line, u"no\u00A0break"_qs};
  form.Report_Memo->clear();
  for (const QString& line : shown) form.Report_Memo->appendPlainText(line);
  form.show_non_modal();
  ASSERT_GT(form.Report_Memo->document()->lineCount(), shown.size());  // the long line wraps

  form.Clipboard_BitBtn->click();

  const QStringList raw = {"Chart", u"A\nB\x1A"_qs, "", long_line, u"no\u00A0break"_qs};
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), raw.join(u'\n').toStdString());
  const QTextCursor cursor = form.Report_Memo->textCursor();
  EXPECT_EQ(cursor.selectionStart(), 0);
  EXPECT_EQ(cursor.selectionEnd(), form.Report_Memo->document()->characterCount() - 1);
}

// A control picture is drawn as its letters in the text colour whatever fonts
// the machine has, and its neighbours look as they would without it.
TEST_F(Results_Form_Test, ControlPicturesInTheReportAreVisible) {
  QPlainTextEdit* memo = form.Report_Memo;
  form.show_non_modal();
  const auto cell_of = [memo](int pos) {
    QTextCursor at(memo->document());
    at.setPosition(pos);
    const QRect left = memo->cursorRect(at);
    at.setPosition(pos + 1);
    return QRect(left.topLeft(), QPoint(memo->cursorRect(at).left() - 1, left.bottom()));
  };
  const auto ink_in = [](const QImage& image, const QRect& cell) {
    int ink = 0;
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
      for (int x = cell.left(); x <= cell.right(); ++x) {
        if (qGray(image.pixel(x, y)) < 128) ++ink;
      }
    }
    return ink;
  };
  memo->setPlainText(u"A\u240AB \u241A"_qs);
  const QImage pictured = memo->viewport()->grab().toImage();
  EXPECT_GT(ink_in(pictured, cell_of(1)), 6) << "LF";
  EXPECT_GT(ink_in(pictured, cell_of(4)), 6) << "SUB";
  const int b_ink = ink_in(pictured, cell_of(2));
  memo->setPlainText("A B  ");
  const QImage plain = memo->viewport()->grab().toImage();
  EXPECT_EQ(ink_in(plain, cell_of(2)), b_ink);
  EXPECT_EQ(ink_in(plain, cell_of(1)), 0);
}
