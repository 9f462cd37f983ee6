#include "widgets/gauge_bar.h"

#include <QApplication>

#include "widgets/contrast.h"

namespace {

const char kBar_Colour[] = "bar_colour";

// The percentage is black: it reads on lime, yellow and red, where white
// does not read on red. Where black would not read on the desktop's button
// face (a dark theme), the empty part of the bar takes the light face it has
// under a light theme.
const QColor kText(0, 0, 0);
const QColor kLight_Face(239, 239, 239);

// The gauge's own palette is the style sheet's once it has one: the face is
// the one its parent has.
QString empty_part(const QProgressBar* gauge) {
  const QWidget* parent = gauge->parentWidget();
  const QPalette palette = parent ? parent->palette() : QApplication::palette(gauge);
  return reads_on(kText, palette.color(QPalette::Button)) ? QStringLiteral("palette(button)")
                                                          : kLight_Face.name();
}

}  // namespace

void make_gauge_bar(QProgressBar* gauge, const QColor& bar) {
  gauge->setRange(0, 100);
  gauge->setValue(0);
  gauge->setTextVisible(true);
  gauge->setAlignment(Qt::AlignCenter);
  set_gauge_colour(gauge, bar);
}

void set_gauge_colour(QProgressBar* gauge, const QColor& bar) {
  if (gauge_colour(gauge) == bar) return;
  gauge->setProperty(kBar_Colour, bar);
  gauge->setStyleSheet(
      QStringLiteral("QProgressBar { color: %1; background-color: %2; border: 1px solid gray; }"
                     "QProgressBar::chunk { background-color: %3; }")
          .arg(kText.name(), empty_part(gauge), bar.name()));
}

QColor gauge_colour(const QProgressBar* gauge) {
  return gauge->property(kBar_Colour).value<QColor>();
}
