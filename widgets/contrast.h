#pragma once
// How well a text colour reads on a background, by the relative luminance of
// sRGB colours, and the nearest colour to a wanted one that reads.

#include <QColor>

// The least contrast at which body text counts as readable.
inline constexpr double kReadable_Contrast = 4.5;

// 0 for black to 1 for white, by the eye's weighting of the channels.
double relative_luminance(const QColor& colour);

// From 1 (the same luminance) to 21 (black on white), either way round.
double contrast_ratio(const QColor& a, const QColor& b);

bool reads_on(const QColor& text, const QColor& background);

// `wanted` where it reads on `background`; otherwise `wanted` mixed towards
// white or black, whichever reads better there, just far enough to read, so
// that a blue stays a blue. One of the two always reads on any background.
QColor readable_text(const QColor& wanted, const QColor& background);
