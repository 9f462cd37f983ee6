#pragma once
// A whole-number spin edit whose text, when it is left unfinished, settles on
// the nearer bound for an out-of-range number and on the minimum for text that
// is no number at all, instead of going back to the previous value.

#include <QSpinBox>

class TSpinEdit final : public QSpinBox {
 public:
  using QSpinBox::QSpinBox;

 protected:
  void fixup(QString& input) const override {
    bool ok = false;
    const qlonglong typed = locale().toLongLong(input.trimmed(), &ok);
    const int value =
        ok ? static_cast<int>(std::clamp<qlonglong>(typed, minimum(), maximum())) : minimum();
    input = textFromValue(value);
  }
};
