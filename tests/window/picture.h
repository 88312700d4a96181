#pragma once
// A picture taken with Qt (a widget grabbed, a browser's PNG decoded) as the
// colour measure reads it.
#include <QImage>

#include "tests/window/contrast.h"

namespace window {

inline Picture pictureOf(const QImage& taken) {
  const QImage image = taken.convertToFormat(QImage::Format_RGB32);
  Picture p{image.width(), image.height(), {}};
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = image.pixel(x, y);
      p.pixels.push_back({static_cast<std::uint8_t>(qRed(c)), static_cast<std::uint8_t>(qGreen(c)),
                          static_cast<std::uint8_t>(qBlue(c))});
    }
  return p;
}

}  // namespace window
