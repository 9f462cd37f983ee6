#pragma once
// A text area's view while a conversion appends to it line after line.
//
// After every change in a document's size, QPlainTextEdit lays out the blocks that fill its
// view from the bottom up, so that it can end the scroll range at the last full page; for an
// appended line of Morse that costs more than converting it. A view that centres on scroll
// ends its range at the last line instead and lays nothing out until it paints, which it
// does once per frame during a conversion. The old behaviour is back when the conversion
// ends; nested conversions restore in turn.

#include <QPlainTextEdit>
#include <QPointer>

class Appending_View {
 public:
  explicit Appending_View(QPlainTextEdit* edit) : edit_(edit), centred_(edit->centerOnScroll()) {
    edit->setCenterOnScroll(true);
  }
  ~Appending_View() {
    if (edit_) edit_->setCenterOnScroll(centred_);
  }
  Appending_View(const Appending_View&) = delete;
  Appending_View& operator=(const Appending_View&) = delete;

 private:
  QPointer<QPlainTextEdit> edit_;
  bool centred_;
};
