#include "widgets/glyphs.h"

#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <QtMath>
#include <map>
#include <utility>

namespace {

// Every glyph is drawn on a 16 x 16 grid; the painter is scaled for larger sizes.
// Coordinates use half-pixel offsets so that 1-pixel outlines land on whole pixels.

QPen pen(const QColor& c, qreal width = 1.0) {
  return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void draw_door(QPainter& p) {
  // Frame, then the door swung half open into the room.
  p.setPen(pen(QColor(70, 45, 20)));
  p.setBrush(QColor(60, 60, 60));
  p.drawRect(QRectF(3.5, 1.5, 9, 13));
  QPolygonF leaf;
  leaf << QPointF(3.5, 1.5) << QPointF(9.5, 3.0) << QPointF(9.5, 15.5) << QPointF(3.5, 14.5);
  p.setBrush(QColor(165, 100, 45));
  p.drawPolygon(leaf);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(240, 200, 60));
  p.drawEllipse(QPointF(8.0, 9.0), 0.9, 0.9);
  p.setPen(pen(QColor(70, 45, 20)));
  p.drawLine(QPointF(1.0, 15.0), QPointF(15.0, 15.0));
}

QPolygonF octagon(const QPointF& centre, qreal radius) {
  QPolygonF shape;
  for (int i = 0; i < 8; ++i) {
    const qreal a = qDegreesToRadians(22.5 + 45.0 * i);
    shape << centre + QPointF(radius * qCos(a), radius * qSin(a));
  }
  return shape;
}

void draw_stop_sign(QPainter& p) {
  const QPointF centre(8, 8);
  p.setPen(pen(QColor(120, 0, 0)));
  p.setBrush(QColor(215, 25, 25));
  p.drawPolygon(octagon(centre, 7.6));
  // A white rim and bar read better than lettering at this size.
  p.setPen(QPen(Qt::white, 0.9, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPolygon(octagon(centre, 6.0));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(4.0, 6.75, 8, 2.5));
}

void draw_page(QPainter& p, const QRectF& r, bool lines) {
  const qreal fold = 3;
  QPolygonF page;
  page << r.topLeft() << QPointF(r.right() - fold, r.top()) << QPointF(r.right(), r.top() + fold)
       << r.bottomRight() << r.bottomLeft();
  p.setPen(pen(QColor(90, 90, 90)));
  p.setBrush(Qt::white);
  p.drawPolygon(page);
  QPolygonF corner;
  corner << QPointF(r.right() - fold, r.top()) << QPointF(r.right() - fold, r.top() + fold)
         << QPointF(r.right(), r.top() + fold);
  p.setBrush(QColor(215, 215, 215));
  p.drawPolygon(corner);
  if (lines) {
    p.setPen(pen(QColor(70, 110, 180)));
    for (qreal y = r.top() + 4; y < r.bottom() - 1.5; y += 2) {
      p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
    }
  }
}

void draw_document(QPainter& p) { draw_page(p, QRectF(2.5, 0.5, 11, 15), true); }

void draw_copy_pages(QPainter& p) {
  draw_page(p, QRectF(0.5, 0.5, 9, 11), true);
  draw_page(p, QRectF(5.5, 4.5, 10, 11), true);
}

void draw_clipboard(QPainter& p) {
  p.setPen(pen(QColor(80, 50, 20)));
  p.setBrush(QColor(175, 115, 55));
  p.drawRoundedRect(QRectF(1.5, 2.5, 13, 13), 1.5, 1.5);
  p.setPen(pen(QColor(110, 110, 110)));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(3.5, 4.5, 9, 9));
  p.setPen(pen(QColor(100, 100, 100)));
  for (qreal y = 7.5; y < 13; y += 2) p.drawLine(QPointF(5, y), QPointF(11, y));
  // The metal clip at the top.
  p.setPen(pen(QColor(70, 70, 70)));
  p.setBrush(QColor(190, 190, 195));
  p.drawRoundedRect(QRectF(5.5, 0.5, 5, 4), 1, 1);
}

void draw_loudspeaker(QPainter& p) {
  QPolygonF body;
  body << QPointF(1.5, 5.5) << QPointF(4.5, 5.5) << QPointF(8.5, 1.5) << QPointF(8.5, 14.5)
       << QPointF(4.5, 10.5) << QPointF(1.5, 10.5);
  p.setPen(pen(QColor(20, 20, 20)));
  p.setBrush(QColor(75, 75, 80));
  p.drawPolygon(body);
  p.setBrush(Qt::NoBrush);
  p.setPen(pen(QColor(60, 60, 65), 1.3));
  for (qreal r : {3.0, 5.5}) {
    p.drawArc(QRectF(8.5 - r, 8 - r, 2 * r, 2 * r), -50 * 16, 100 * 16);
  }
}

void draw_open_folder(QPainter& p) {
  const QColor edge(140, 100, 10);
  // Back of the folder with its tab.
  QPolygonF back;
  back << QPointF(0.5, 3.5) << QPointF(5.5, 3.5) << QPointF(6.5, 4.5) << QPointF(13.5, 4.5)
       << QPointF(13.5, 14.5) << QPointF(0.5, 14.5);
  p.setPen(pen(edge));
  p.setBrush(QColor(225, 180, 50));
  p.drawPolygon(back);
  // Front flap, tilted open.
  QPolygonF front;
  front << QPointF(3.0, 7.5) << QPointF(15.5, 7.5) << QPointF(13.5, 14.5) << QPointF(0.5, 14.5);
  p.setBrush(QColor(250, 215, 90));
  p.drawPolygon(front);
}

void draw_circular_arrow(QPainter& p) {
  // An open ring turning clockwise with its head at the top right.
  const QColor fill(30, 150, 60);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(15, 90, 35), 4.2, Qt::SolidLine, Qt::FlatCap));
  const QRectF ring(2.5, 2.5, 11, 11);
  p.drawArc(ring, 60 * 16, 270 * 16);
  p.setPen(QPen(fill, 2.4, Qt::SolidLine, Qt::FlatCap));
  p.drawArc(ring, 62 * 16, 266 * 16);
  // Head at the open end (angle 60 degrees), pointing along the turn.
  const qreal a = qDegreesToRadians(60.0);
  const QPointF end(8 + 5.5 * qCos(a), 8 - 5.5 * qSin(a));
  const QPointF tangent(qSin(a), qCos(a));  // clockwise direction at that point
  const QPointF normal(qCos(a), -qSin(a));
  QPolygonF head;
  head << end + tangent * 3.6 << end + normal * 3.4 - tangent * 0.6
       << end - normal * 3.4 - tangent * 0.6;
  p.setPen(pen(QColor(15, 90, 35)));
  p.setBrush(fill);
  p.drawPolygon(head);
}

void draw_check_mark(QPainter& p) {
  // A dark outline under a green stroke keeps the tick readable on any button face.
  QPolygonF tick;
  tick << QPointF(2.5, 8.5) << QPointF(6.5, 12.5) << QPointF(13.5, 3.5);
  p.setBrush(Qt::NoBrush);
  p.setPen(pen(QColor(15, 90, 35), 3.6));
  p.drawPolyline(tick);
  p.setPen(pen(QColor(40, 170, 70), 2.0));
  p.drawPolyline(tick);
}

void draw_chevron(QPainter& p) {
  // Two arrow heads pointing on, as overflow buttons show them.
  p.setPen(pen(QColor(40, 40, 40), 1.5));
  p.setBrush(Qt::NoBrush);
  for (const qreal x : {4.0, 9.0}) {
    p.drawPolyline(QPolygonF{QPointF(x, 4.5), QPointF(x + 3.5, 8.0), QPointF(x, 11.5)});
  }
}

void draw(QPainter& p, Glyph g) {
  switch (g) {
    case Glyph::Door:
      draw_door(p);
      break;
    case Glyph::Stop_Sign:
      draw_stop_sign(p);
      break;
    case Glyph::Clipboard:
      draw_clipboard(p);
      break;
    case Glyph::Copy_Pages:
      draw_copy_pages(p);
      break;
    case Glyph::Loudspeaker:
      draw_loudspeaker(p);
      break;
    case Glyph::Open_Folder:
      draw_open_folder(p);
      break;
    case Glyph::Circular_Arrow:
      draw_circular_arrow(p);
      break;
    case Glyph::Document:
      draw_document(p);
      break;
    case Glyph::Check_Mark:
      draw_check_mark(p);
      break;
    case Glyph::Chevron:
      draw_chevron(p);
      break;
  }
}

QImage render(Glyph g, int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 16.0, size / 16.0);
  draw(p, g);
  return image;
}

// Grey, lighter and a little transparent, the way a disabled button looks.
QImage greyed(const QImage& source) {
  QImage image = source.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = line[x];
      const int grey = 128 + qGray(c) / 2;
      line[x] = qRgba(grey, grey, grey, qAlpha(c) * 2 / 3);
    }
  }
  return image;
}

// Draws a glyph's picture when a button first paints it, at the size and in
// the mode asked for, and keeps it: most buttons only ever show one of the
// four (normal and greyed, at 16 and 32 pixels).
class Glyph_Icon_Engine final : public QIconEngine {
 public:
  explicit Glyph_Icon_Engine(Glyph g) : glyph_(g) {}

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
    // Drawn at the nearest of the two sizes, then scaled, as with pictures
    // added at those sizes.
    const int side = std::min(size.width(), size.height()) > 16 ? 32 : 16;
    const bool grey = mode == QIcon::Disabled;
    QPixmap& kept = pictures_[{side, grey}];
    if (kept.isNull()) {
      const QImage normal = render(glyph_, side);
      kept = QPixmap::fromImage(grey ? greyed(normal) : normal);
    }
    if (kept.size() == size || size.isEmpty()) return kept;
    return kept.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  }
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
  }
  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
    const int side = std::min({size.width(), size.height(), 32});
    return {side, side};
  }
  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    return {QSize(16, 16), QSize(32, 32)};
  }
  QIconEngine* clone() const override { return new Glyph_Icon_Engine(*this); }

 private:
  Glyph glyph_;
  std::map<std::pair<int, bool>, QPixmap> pictures_;
};

}  // namespace

QIcon glyph_icon(Glyph g) { return QIcon(new Glyph_Icon_Engine(g)); }

QPixmap down_arrow_picture() {
  QImage image(38, 41, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QPolygonF arrow;
  arrow << QPointF(11.5, 1.5) << QPointF(26.5, 1.5) << QPointF(26.5, 20.5) << QPointF(36.5, 20.5)
        << QPointF(19, 39.5) << QPointF(1.5, 20.5) << QPointF(11.5, 20.5);
  QLinearGradient shade(0, 0, 38, 0);
  shade.setColorAt(0, QColor(60, 90, 200));
  shade.setColorAt(1, QColor(20, 40, 140));
  p.setPen(QPen(QColor(10, 20, 80), 1.6, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.setBrush(shade);
  p.drawPolygon(arrow);
  p.end();
  return QPixmap::fromImage(image);
}
