#pragma once
// Line-list access to a multi-line text control. The control shows Unicode;
// the lines handed in and out are bytes of the code page that the selected
// alphabet uses, so that a byte keeps its table entry whatever it looks like.

#include <QPlainTextEdit>
#include <QPointer>
#include <functional>

#include "shell/code_page.h"
#include "shell/line_area.h"

class Text_Area final : public Line_Area {
 public:
  // `code_page` is asked on every access, so a change of alphabet takes effect
  // at once. With `control_pictures`, control bytes in a line are shown as
  // their Unicode pictures, which keeps a line feed inside a line on its line.
  Text_Area(QPlainTextEdit* edit, std::function<Code_Page()> code_page, bool control_pictures);

  int count() const override;
  std::string line(int i) const override;
  void append(std::string_view text) override;
  // One insertion for all the lines: the area lays out and reports one change.
  void append_lines(const Line_Batch& lines) override;
  void clear() override;
  void set_line(int i, std::string_view text) override;
  void set_selection_start(int pos) override;
  // Adds `text` at the end of the last line, or makes it the first line of an
  // empty area. The line itself is never read back through the code page, so
  // characters the page cannot hold stay as they are.
  void append_to_last_line(std::string_view text);

  // The bytes of a line as shown, in the present code page.
  std::string encode(const QString& text) const;

 private:
  QString decode(std::string_view bytes) const;

  QPointer<QPlainTextEdit> edit_;
  std::function<Code_Page()> code_page_;
  bool control_pictures_;
};
