#include "widgets/gauge_bar.h"

namespace {

const char kBar_Colour[] = "bar_colour";

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
      QStringLiteral("QProgressBar { background-color: palette(button); border: 1px solid gray; }"
                     "QProgressBar::chunk { background-color: %1; }")
          .arg(bar.name()));
}

QColor gauge_colour(const QProgressBar* gauge) {
  return gauge->property(kBar_Colour).value<QColor>();
}
