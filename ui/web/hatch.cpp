#include "ui/web/hatch.h"

#include <cstdint>

namespace ui::web {
namespace {

// Bytes in a std::string, as the rest of the program already carries them.
void put32(std::string& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>(v >> shift);
}

// A PNG chunk: its length, type and data, and the CRC of type and data.
void chunk(std::string& png, const char* type, const std::string& data) {
  put32(png, static_cast<std::uint32_t>(data.size()));
  const std::string typed = type + data;
  png += typed;
  std::uint32_t crc = 0xffffffffu;
  for (char c : typed) {
    crc ^= static_cast<std::uint8_t>(c);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
  }
  put32(png, ~crc);
}

std::string base64(const std::string& bytes) {
  static constexpr char digits[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t n = bytes.size() - i < 3 ? bytes.size() - i : 3;
    std::uint32_t v = 0;
    for (std::size_t j = 0; j < 3; ++j)
      v = v << 8 | (j < n ? static_cast<std::uint8_t>(bytes[i + j]) : 0u);
    for (std::size_t j = 0; j < 4; ++j) out += j <= n ? digits[(v >> (18 - 6 * j)) & 63] : '=';
  }
  return out;
}

}  // namespace

std::string hatchImage(Rgb colour) {
  constexpr int kSize = 8;
  // zlib's header, then one stored block of the rows (too small to gain
  // from compressing): each row a filter byte (none), then palette indices,
  // 1 on the diagonals, 0 (transparent) elsewhere.
  constexpr int kRows = kSize * (kSize + 1);
  std::string zlib = {
      0x78, 0x01, 0x01, kRows, 0, static_cast<char>(~kRows), static_cast<char>(0xff)};
  std::uint32_t a = 1, b = 0;
  for (int i = 0; i < kRows; ++i) {
    const int x = i % (kSize + 1) - 1, y = i / (kSize + 1);
    const bool on = x == y || x == kSize - 1 - y;
    zlib += static_cast<char>(on);
    a = (a + on) % 65521;
    b = (b + a) % 65521;
  }
  put32(zlib, b << 16 | a);

  std::string png = "\x89PNG\r\n\x1a\n", header;
  put32(header, kSize);
  put32(header, kSize);
  header += {8, 3, 0, 0, 0};  // 8 bits an index into a palette
  chunk(png, "IHDR", header);
  chunk(png, "PLTE",
        {0, 0, 0, static_cast<char>(colour.r), static_cast<char>(colour.g),
         static_cast<char>(colour.b)});
  chunk(png, "tRNS", std::string(1, '\0'));  // index 0 transparent, 1 opaque
  chunk(png, "IDAT", zlib);
  chunk(png, "IEND", "");
  return "url(data:image/png;base64," + base64(png) + ")";
}

}  // namespace ui::web
