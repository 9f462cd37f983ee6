#pragma once
// A horizontal bar gauge from 0 to 100 that writes its own percentage in black
// over the bar, on the button-face background (a light one where black would
// not read on the desktop's), with a bar colour set by the program.

#include <QColor>
#include <QProgressBar>

void make_gauge_bar(QProgressBar* gauge, const QColor& bar);

// Restyles the bar only when its colour changes: restyling is costly and the
// colour is set on every change of the area that the gauge measures.
void set_gauge_colour(QProgressBar* gauge, const QColor& bar);

QColor gauge_colour(const QProgressBar* gauge);
