#include "shell/text_area.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

Text_Area::Text_Area(QPlainTextEdit* edit, std::function<Code_Page()> code_page,
                     bool control_pictures)
    : edit_(edit), code_page_(std::move(code_page)), control_pictures_(control_pictures) {}

QString Text_Area::decode(std::string_view bytes) const {
  const std::u16string text = decode_from_code_page(code_page_(), bytes, control_pictures_);
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

std::string Text_Area::encode(const QString& text) const {
  return encode_to_code_page(code_page_(),
                             std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                                 static_cast<size_t>(text.size())));
}

int Text_Area::count() const {
  const QTextDocument* doc = edit_->document();
  const int blocks = doc->blockCount();
  // The document always ends in a block; an empty last block is what follows a
  // closing line break (or the empty document), not a line of its own.
  return doc->lastBlock().length() <= 1 ? blocks - 1 : blocks;
}

std::string Text_Area::line(int i) const {
  if (i < 0) return {};
  const QTextBlock block = edit_->document()->findBlockByNumber(i);
  // The empty last block after a closing line break is no line (see count()).
  if (!block.isValid() || (block.length() <= 1 && !block.next().isValid())) return {};
  return encode(block.text());
}

void Text_Area::append(std::string_view text) {
  QTextDocument* doc = edit_->document();
  QTextCursor cursor(doc);
  cursor.movePosition(QTextCursor::End);
  QString insertion;
  // Text typed without a closing line break gets one before the new line.
  if (doc->lastBlock().length() > 1) insertion += QChar(u'\n');
  insertion += decode(text);
  insertion += QChar(u'\n');
  cursor.insertText(insertion);
}

void Text_Area::append_to_last_line(std::string_view text) {
  const int lines = count();
  if (lines == 0) {
    append(text);
    return;
  }
  QTextCursor cursor(edit_->document()->findBlockByNumber(lines - 1));
  cursor.movePosition(QTextCursor::EndOfBlock);
  cursor.insertText(decode(text));
}

void Text_Area::append_lines(const Line_Batch& lines) {
  if (lines.empty()) return;
  QTextDocument* doc = edit_->document();
  const Code_Page page = code_page_();
  QString insertion(static_cast<qsizetype>(lines.byte_count() + lines.size() + 1),
                    Qt::Uninitialized);
  char16_t* out = reinterpret_cast<char16_t*>(insertion.data());
  qsizetype at = 0;
  // Text typed without a closing line break gets one before the new lines.
  if (doc->lastBlock().length() > 1) out[at++] = u'\n';
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    decode_from_code_page(page, line, control_pictures_, out + at);
    at += static_cast<qsizetype>(line.size());
    out[at++] = u'\n';
  }
  insertion.truncate(at);
  QTextCursor cursor(doc);
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(insertion);
}

void Text_Area::clear() { edit_->clear(); }

void Text_Area::set_line(int i, std::string_view text) {
  if (i < 0 || i >= count()) return;
  QTextCursor cursor(edit_->document()->findBlockByNumber(i));
  cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  cursor.insertText(decode(text));
}

void Text_Area::set_selection_start(int pos) {
  QTextCursor cursor = edit_->textCursor();
  const int last = edit_->document()->characterCount() - 1;
  cursor.setPosition(std::clamp(pos, 0, std::max(last, 0)));
  edit_->setTextCursor(cursor);
  edit_->ensureCursorVisible();
}
