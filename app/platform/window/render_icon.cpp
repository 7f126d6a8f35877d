// SPDX-License-Identifier: GPL-3.0-or-later
// Build-time helper: the program's SVG icon as a PNG of the given size, for the
// desktop's icon theme folders.
//   ortalba_render_icon ICON.svg SIZE OUT.png
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "uso: %s ICONA.svg LATO USCITA.png\n", argv[0]);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
  const int side = QByteArray(argv[2]).toInt();
  if (!renderer.isValid() || side <= 0) {
    std::fprintf(stderr, "%s: icona o lato non validi\n", argv[0]);
    return 1;
  }
  QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  renderer.render(&painter, QRectF(0, 0, side, side));
  painter.end();
  return image.save(QString::fromLocal8Bit(argv[3]), "PNG") ? 0 : 1;
}
