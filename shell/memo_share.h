#pragma once
// Keeps the Morse share of a text area current as its document changes: each
// change recounts only the lines it touched, so a conversion that appends
// thousands of lines one by one stays linear. Lines are counted as the area's
// line list reads them (bytes of the present code page).

#include <QObject>
#include <QPlainTextEdit>
#include <QPointer>

#include "panels/morse_share.h"
#include "shell/text_area.h"

class Memo_Share final : public QObject {
 public:
  // `area` reads the same control as `edit`; both must outlive this object.
  Memo_Share(QPlainTextEdit* edit, const Text_Area& area, QObject* parent);

  double share() const { return tracker_.share(); }
  const Morse_Count& totals() const { return tracker_.totals(); }
  // Counts every line again, for when the code page changes.
  void recount();

 private:
  void contents_change(int position, int removed, int added);
  Morse_Count count_of(const QTextBlock& block) const;

  QPointer<QPlainTextEdit> edit_;
  const Text_Area& area_;
  Morse_Share_Tracker tracker_;
};
