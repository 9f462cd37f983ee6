#pragma once
// A whole-number spin edit whose text, when it is left unfinished, settles on
// the nearer bound for an out-of-range number and on the minimum for text that
// is no number at all, instead of going back to the previous value. A number
// beyond the bounds may be typed in full: it settles when the box is left.

#include <QSpinBox>

class TSpinEdit final : public QSpinBox {
 public:
  using QSpinBox::QSpinBox;

  // The value as its text reads now, even while it is being edited: a number
  // held within the bounds, the minimum for text that is no number.
  int text_value() const { return settled(cleanText()); }

 protected:
  QValidator::State validate(QString& input, int& pos) const override {
    const QValidator::State state = QSpinBox::validate(input, pos);
    if (state != QValidator::Invalid) return state;
    // QSpinBox refuses the key that takes a number past the bounds; here it
    // stays, to be brought to the bound when the box is left.
    return signed_digits(input.trimmed()) ? QValidator::Intermediate : QValidator::Invalid;
  }
  void fixup(QString& input) const override { input = textFromValue(settled(input)); }

 private:
  static bool signed_digits(const QString& text) {
    const qsizetype first = !text.isEmpty() && (text[0] == u'+' || text[0] == u'-') ? 1 : 0;
    if (text.size() == first) return false;
    for (qsizetype i = first; i < text.size(); ++i) {
      if (text[i] < u'0' || text[i] > u'9') return false;
    }
    return true;
  }

  int settled(const QString& text) const {
    const QString trimmed = text.trimmed();
    bool ok = false;
    const qlonglong typed = locale().toLongLong(trimmed, &ok);
    if (ok) return static_cast<int>(std::clamp<qlonglong>(typed, minimum(), maximum()));
    // Too many digits for any integer: still a number, on one side or the other.
    if (signed_digits(trimmed)) return trimmed[0] == u'-' ? minimum() : maximum();
    return minimum();
  }
};
