#include "panels/control_picture_edit.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTextBlock>
#include <QTextLayout>
#include <algorithm>

#include "panels/control_pictures.h"

namespace {

// The picture as the reference glyphs draw it: the letters of the control's
// short name in a small font, stepping down from the cell's top left to its
// bottom right.
void draw_picture(QPainter& painter, const QRectF& cell, std::string_view name) {
  // A narrow sans face keeps three letters apart in a cell one character wide.
  QFont font(QStringLiteral("Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setStretch(QFont::Condensed);
  font.setBold(true);
  font.setPixelSize(std::max(5, static_cast<int>(cell.height() * 0.45)));
  painter.setFont(font);
  const QFontMetricsF metrics(font);
  const int n = static_cast<int>(name.size());
  const qreal letter_width = metrics.horizontalAdvance(QLatin1Char('M'));
  const qreal x_step = n > 1 ? std::max<qreal>(0, cell.width() - letter_width) / (n - 1) : 0;
  const qreal first_baseline = cell.top() + metrics.ascent();
  const qreal last_baseline = cell.bottom() - metrics.descent();
  const qreal y_step = n > 1 ? std::max<qreal>(0, last_baseline - first_baseline) / (n - 1) : 0;
  for (int i = 0; i < n; ++i) {
    const QString letter(QLatin1Char(name[static_cast<size_t>(i)]));
    const qreal x = n > 1 ? cell.left() + i * x_step
                          : cell.left() + (cell.width() - metrics.horizontalAdvance(letter)) / 2;
    const qreal baseline =
        n > 1 ? first_baseline + i * y_step : (first_baseline + last_baseline) / 2;
    painter.drawText(QPointF(x, baseline), letter);
  }
}

}  // namespace

void Control_Picture_Edit::paintEvent(QPaintEvent* event) {
  QPlainTextEdit::paintEvent(event);

  QPainter painter(viewport());
  const QRect dirty = event->rect();
  const QPalette::ColorGroup group = !isEnabled()       ? QPalette::Disabled
                                     : isActiveWindow() ? QPalette::Active
                                                        : QPalette::Inactive;
  const QTextCursor selection = textCursor();
  // Walks the visible blocks the way the base class lays them out.
  QPointF offset = contentOffset();
  for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
    const QRectF bounds = blockBoundingRect(block).translated(offset);
    if (bounds.top() > dirty.bottom()) break;
    if (block.isVisible() && bounds.bottom() >= dirty.top()) {
      const QString text = block.text();
      const QTextLayout* layout = block.layout();
      const QPointF origin = offset + layout->position();
      for (int i = 0; i < text.size(); ++i) {
        const std::string_view name = control_picture_name(text[i].unicode());
        if (name.empty()) continue;
        const QTextLine line = layout->lineForTextPosition(i);
        if (!line.isValid()) continue;
        const qreal left = line.cursorToX(i);
        const qreal right = line.cursorToX(i + 1);
        const QRectF cell(origin.x() + std::min(left, right), origin.y() + line.y(),
                          std::abs(right - left), line.height());
        const int at = block.position() + i;
        const bool selected = at >= selection.selectionStart() && at < selection.selectionEnd();
        // Covers whatever the font drew for the character: nothing, a box, or
        // its own picture.
        painter.fillRect(cell,
                         palette().color(group, selected ? QPalette::Highlight : QPalette::Base));
        painter.setPen(
            palette().color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        draw_picture(painter, cell, name);
      }
    }
    offset.ry() += bounds.height();
  }
}
