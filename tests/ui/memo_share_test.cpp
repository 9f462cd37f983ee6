// The share kept from the document's change reports against the whole-text
// count, over random edits of every kind a text area sees.

#include "shell/memo_share.h"

#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <random>

#include "panels/morse_share.h"

namespace {

class Memo_Share_Test : public ::testing::Test {
 protected:
  QString random_text(int max_pieces) {
    static const QString pieces[] = {".",
                                     "-",
                                     " ",
                                     "STOP",
                                     "ST",
                                     "OP",
                                     "A",
                                     "\n",
                                     "\r\n",
                                     "\n",
                                     QString::fromUtf16(u"Ж"),
                                     "é",
                                     QString::fromUtf16(u"\u2400")};
    QString text;
    for (int n = static_cast<int>(random() % (max_pieces + 1)); n > 0; --n) {
      text += pieces[random() % std::size(pieces)];
    }
    return text;
  }
  int random_position() {
    return static_cast<int>(random() % static_cast<unsigned>(edit.document()->characterCount()));
  }
  void random_edit() {
    QTextCursor cursor(edit.document());
    switch (random() % 9) {
      case 0:
        edit.setPlainText(random_text(30));
        break;
      case 1:
        edit.clear();
        break;
      case 2:
        area.append(random_text(6).toStdString());
        break;
      case 3:
        area.set_line(static_cast<int>(random() % 4), random_text(5).toStdString());
        break;
      case 4:
        edit.undo();
        break;
      case 5: {
        cursor.setPosition(random_position());
        cursor.setPosition(random_position(), QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        break;
      }
      default:
        cursor.setPosition(random_position());
        cursor.setPosition(random_position(), QTextCursor::KeepAnchor);
        cursor.insertText(random_text(8));
        break;
    }
  }

  std::mt19937 random{11};
  QPlainTextEdit edit;
  Code_Page page = Code_Page::Windows_1252;
  Text_Area area{&edit, [this] { return page; }, false};
  Memo_Share share{&edit, area, nullptr};
};

TEST_F(Memo_Share_Test, EqualsTheWholeTextCountAfterEveryEdit) {
  for (int step = 0; step < 3000; ++step) {
    random_edit();
    Morse_Count whole;
    for (int i = 0; i < area.count(); ++i) whole += count_morse_in_line(area.line(i));
    ASSERT_EQ(share.totals(), whole) << step << ": " << edit.toPlainText().toStdString();
    ASSERT_EQ(share.share(), Morse_Pct_Of_Memo(area)) << step;
  }
}

TEST_F(Memo_Share_Test, ACodePageChangeIsCountedAfterARecount) {
  edit.setPlainText(QString::fromUtf16(u"..Ж"));
  EXPECT_EQ(share.totals(), (Morse_Count{2, 2}));
  page = Code_Page::Windows_1251;
  share.recount();
  EXPECT_EQ(share.totals(), (Morse_Count{2, 3}));
}

}  // namespace
