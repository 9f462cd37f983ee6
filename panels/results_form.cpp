#include "panels/results_form.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QScreen>

#include "panels/clipboard_text.h"
#include "panels/control_picture_edit.h"
#include "widgets/design_font.h"
#include "widgets/glyphs.h"
#include "widgets/screen_centre.h"

namespace {

constexpr QSize kClient_Size(630, 434);

QFont button_font() { return design_font(QStringLiteral("Times New Roman"), 15, true); }

// Where "Courier New" is missing the columns must still line up, so any
// fixed-pitch face will do.
QFont report_font() {
  QFont font = design_font(QStringLiteral("Courier New"), 12);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}

QPushButton* glyph_button(QWidget* parent, const char* name, const QRect& bounds,
                          const QString& caption, Glyph glyph, const QString& hint) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setGeometry(bounds);
  b->setFont(button_font());
  b->setIcon(glyph_icon(glyph));
  b->setIconSize(QSize(16, 16));
  b->setToolTip(hint);
  return b;
}

}  // namespace

TResults_Form::TResults_Form(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Results_Form"));
  setWindowTitle(QStringLiteral("Results_Form"));
  setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
  setFont(design_font(QStringLiteral("MS Sans Serif"), 11));
  setFixedSize(kClient_Size);
  setModal(false);

  Clipboard_BitBtn = glyph_button(this, "Clipboard_BitBtn", QRect(129, 397, 175, 35),
                                  QStringLiteral("Copy to Clipboard"), Glyph::Clipboard,
                                  QStringLiteral("Copy to Window's Clipboard."));
  Exit_BitBtn = glyph_button(this, "Exit_BitBtn", QRect(327, 397, 175, 35), QStringLiteral("OK"),
                             Glyph::Check_Mark, QStringLiteral("Close this Window"));

  Report_Memo = new Control_Picture_Edit(this);
  Report_Memo->setObjectName(QStringLiteral("Report_Memo"));
  Report_Memo->setGeometry(4, 2, 617, 391);
  Report_Memo->setReadOnly(true);
  Report_Memo->setFont(report_font());
  Report_Memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  Report_Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Report_Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Read-only, the memo has no use for Tab; let it move on to the buttons.
  Report_Memo->setTabChangesFocus(true);
  Report_Memo->setPlainText(QStringLiteral("Report_Memo"));

  setTabOrder(Clipboard_BitBtn, Exit_BitBtn);
  setTabOrder(Exit_BitBtn, Report_Memo);

  connect(Clipboard_BitBtn, &QPushButton::clicked, this, &TResults_Form::Clipboard_BitBtnClick);
  connect(Exit_BitBtn, &QPushButton::clicked, this, &TResults_Form::Exit_BitBtnClick);
}

void TResults_Form::show_non_modal() {
  if (isVisible()) {
    raise();
    activateWindow();
    return;
  }
  // An explicit move also stops QDialog from centring itself over its parent.
  move_to_screen_centre(*this);
  show();
}

void TResults_Form::Clipboard_BitBtnClick() {
  Report_Memo->selectAll();
  QGuiApplication::clipboard()->setText(clipboard_text(*Report_Memo->document()));
}

void TResults_Form::Exit_BitBtnClick() { close(); }
