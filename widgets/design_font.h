#pragma once
// Fonts are designed as character heights in pixels at 96 dpi and held as whole
// point sizes, since window scaling multiplies point sizes.

#include <QFont>
#include <QString>
#include <string>
#include <vector>

#include "platform/font_families.h"

// Points for a character height in pixels at 96 dpi, rounded half away from zero.
constexpr int points_for_pixels(int pixel_height) {
  return (pixel_height * 72 * 2 + 96) / (96 * 2);
}

// Every family the windows are designed in, and Qt's generic default, which
// the start of the program looks up (start_font_family_lookup).
inline std::vector<std::string> design_families() {
  return {"Times New Roman", "Courier", "Courier New", "MS Sans Serif", "System", "Sans Serif"};
}

// `font` with the installed family that stands in for its own, where the start
// of the program looked that family up.
inline QFont with_installed_family(QFont font) {
  font.setFamily(QString::fromStdString(installed_font_family(font.family().toStdString())));
  return font;
}

inline QFont design_font(const QString& family, int pixel_height, bool bold = false) {
  QFont font = with_installed_family(QFont(family));
  font.setPointSize(points_for_pixels(pixel_height));
  font.setBold(bold);
  return font;
}
