// Writes the program's menu icon at the sizes the desktop's icon theme asks
// for: the letters "CQ" in Morse code ("-.-." over "--.-"), light marks on a
// rounded tile in the logo's ink blue.
//
//   icon_generator <folder> <size>...
//
// Each size is written as <folder>/<size>x<size>/apps/tapwrenz.png, the
// layout of the hicolor theme. Only shapes are drawn, so no font and no
// display are needed.

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// One row of marks, centred, in a 16-unit grid: dots round, dashes a little
// over twice their length, so that four marks fit the tile.
void draw_row(QPainter& p, const char* marks, double y, double unit) {
  constexpr double dot = 1.3, dash = 3.3, gap = 0.9;
  double width = -gap;
  for (const char* m = marks; *m; ++m) width += (*m == '-' ? dash : dot) + gap;
  double x = (16.0 - width) / 2.0;
  for (const char* m = marks; *m; ++m) {
    const double w = *m == '-' ? dash : dot;
    p.drawRoundedRect(QRectF(x * unit, y * unit, w * unit, dot * unit), dot * unit / 2,
                      dot * unit / 2);
    x += w + gap;
  }
}

QImage draw_icon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const double unit = size / 16.0;
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x1F, 0x3A, 0x93));
  p.drawRoundedRect(QRectF(0.5 * unit, 0.5 * unit, 15 * unit, 15 * unit), 3 * unit, 3 * unit);
  p.setBrush(QColor(0xE6, 0xEC, 0xF5));
  draw_row(p, "-.-.", 5.0, unit);
  p.setBrush(QColor(0xC8, 0x9B, 0x3C));
  draw_row(p, "--.-", 9.7, unit);
  return image;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: icon_generator <folder> <size>...\n");
    return 2;
  }
  for (int i = 2; i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    const QString folder =
        QString::fromLocal8Bit(argv[1]) + QStringLiteral("/%1x%1/apps").arg(size);
    if (size < 16 || !QDir().mkpath(folder) ||
        !draw_icon(size).save(folder + QStringLiteral("/tapwrenz.png"), "PNG")) {
      std::fprintf(stderr, "icon_generator: cannot write the %s icon under %s\n", argv[i], argv[1]);
      return 1;
    }
  }
  return 0;
}
