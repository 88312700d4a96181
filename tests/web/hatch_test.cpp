// The hatch's tile as a browser gets it: a PNG that decodes (Qt's decoder,
// which checks its CRCs and zlib's sum) to both diagonals in the colour,
// the rest transparent.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <string>

#include "ui/web/hatch.h"

namespace {

TEST(Hatch, DecodesToBothDiagonalsInTheColour) {
  for (const ui::Rgb colour : {ui::Rgb{0, 0, 0}, ui::Rgb{255, 255, 255}, ui::Rgb{0x12, 0xab, 0xef},
                               ui::Rgb{0xd4, 0xd0, 0xc8}}) {
    const std::string css = ui::web::hatchImage(colour);
    const std::string head = "url(data:image/png;base64,";
    ASSERT_EQ(css.substr(0, head.size()), head);
    ASSERT_EQ(css.back(), ')');
    const QByteArray base64 =
        QByteArray::fromStdString(css.substr(head.size(), css.size() - head.size() - 1));
    auto decoded = QByteArray::fromBase64Encoding(base64, QByteArray::AbortOnBase64DecodingErrors);
    ASSERT_TRUE(decoded);
    QImage tile;
    ASSERT_TRUE(tile.loadFromData(*decoded, "PNG"));
    ASSERT_EQ(tile.size(), QSize(8, 8));
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x) {
        const QRgb p = tile.pixel(x, y);
        const bool on = x == y || x == 7 - y;
        // Where off, only its transparency counts.
        EXPECT_EQ(on ? p : qAlpha(p), on ? qRgb(colour.r, colour.g, colour.b) : 0u)
            << "pixel " << x << "," << y;
      }
    }
  }
}

}  // namespace
