#include "panels/clipboard_text.h"

#include <string_view>

#include "panels/control_pictures.h"

QString clipboard_text(const QTextDocument& document) {
  QString text = document.toRawText();
  for (QChar& c : text) {
    if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = u'\n';
  }
  const std::u16string raw = with_control_characters(std::u16string_view(
      reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())));
  return QString::fromStdU16String(raw);
}
