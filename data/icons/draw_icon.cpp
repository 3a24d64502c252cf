// Draws the shapes of bilvox.svg with QPainter into a PNG icon (no SVG renderer is part of
// the build). Build and run by hand after changing the drawing:
//   g++ -std=c++17 -fPIC draw_icon.cpp -o draw_icon $(pkg-config --cflags --libs Qt6Gui)
//   QT_QPA_PLATFORM=offscreen ./draw_icon 256 bilvox-256.png
//   QT_QPA_PLATFORM=offscreen ./draw_icon 48 bilvox-48.png
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  QGuiApplication app(argc, argv);
  const int size = std::atoi(argv[1]);
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 256.0, size / 256.0);  // the drawing is made on 256 x 256
  const QColor dark("#1f4e79"), light("#d6e4f0"), rows("#8fb3d4"), seal("#c0392b");

  // The sheet with its folded corner.
  QPainterPath sheet;
  sheet.moveTo(56, 16);
  sheet.lineTo(164, 16);
  sheet.lineTo(212, 64);
  sheet.lineTo(212, 232);
  sheet.arcTo(196, 224, 16, 16, 0, -90);
  sheet.lineTo(56, 240);
  sheet.arcTo(48, 224, 16, 16, -90, -90);
  sheet.lineTo(48, 24);
  sheet.arcTo(48, 16, 16, 16, 180, -90);
  sheet.closeSubpath();
  p.setPen(QPen(dark, 8, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
  p.setBrush(Qt::white);
  p.drawPath(sheet);
  QPainterPath fold;
  fold.moveTo(164, 16);
  fold.lineTo(164, 56);
  fold.arcTo(164, 48, 16, 16, 180, 90);
  fold.lineTo(212, 64);
  p.setBrush(light);
  p.drawPath(fold);

  // The heading and the lines of the invoice.
  p.setPen(Qt::NoPen);
  p.setBrush(dark);
  p.drawRoundedRect(QRectF(72, 40, 72, 16), 4, 4);
  p.setBrush(rows);
  p.drawRoundedRect(QRectF(72, 88, 116, 10), 5, 5);
  p.drawRoundedRect(QRectF(72, 112, 116, 10), 5, 5);
  p.drawRoundedRect(QRectF(72, 136, 84, 10), 5, 5);

  // The seal: the document is done.
  p.setBrush(seal);
  p.drawEllipse(QPointF(172, 192), 40, 40);
  QPainterPath tick;
  tick.moveTo(152, 192);
  tick.lineTo(166, 206);
  tick.lineTo(192, 178);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Qt::white, 12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(tick);
  p.end();
  return image.save(argv[2]) ? 0 : 1;
}
