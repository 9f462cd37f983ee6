#pragma once
// A plain text control that draws the control pictures (U+2400 + c, U+2421)
// itself. Few fonts hold those characters, and without one they would show
// as blanks; drawn here, a line feed inside a line is visible whatever fonts
// the machine has. The text itself is left as it is, so copying it gives the
// pictures back as the control characters they stand for.

#include <QPlainTextEdit>

class Control_Picture_Edit final : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;

 protected:
  void paintEvent(QPaintEvent* event) override;
};
