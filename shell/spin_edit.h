#pragma once
// A whole-number spin edit whose text, when it is left unfinished, settles on
// the nearer bound for an out-of-range number and on the minimum for text that
// is no number at all, instead of going back to the previous value.

#include <QSpinBox>

class TSpinEdit final : public QSpinBox {
 public:
  using QSpinBox::QSpinBox;

  // The value as its text reads now, even while it is being edited: a number
  // held within the bounds, the minimum for text that is no number.
  int text_value() const { return settled(cleanText()); }

 protected:
  void fixup(QString& input) const override { input = textFromValue(settled(input)); }

 private:
  int settled(const QString& text) const {
    bool ok = false;
    const qlonglong typed = locale().toLongLong(text.trimmed(), &ok);
    return ok ? static_cast<int>(std::clamp<qlonglong>(typed, minimum(), maximum())) : minimum();
  }
};
