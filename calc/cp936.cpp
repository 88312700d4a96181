#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "calc/key_filter.h"

namespace calc {
namespace {

#include "calc/cp936_table.inc"

constexpr unsigned kFirstLead = 0x81;
constexpr std::size_t kTrailsPerLead = 190;
constexpr std::int16_t kUnencodable = '?';

// A short literal would be padded silently: every row must be complete.
constexpr bool allRowsComplete() {
  for (const std::u16string_view row : kDoubleByteRows) {
    if (row.size() != kTrailsPerLead) return false;
  }
  return true;
}
static_assert(allRowsComplete());

// Trail bytes run 0x40..0x7E, 0x80..0xFE: 0x7F is never a trail byte.
constexpr unsigned trailByte(std::size_t index) {
  return static_cast<unsigned>(index < 0x3F ? 0x40 + index : 0x41 + index);
}

// Unicode (BMP) to code; 0 where the code page has no exact character.
// ASCII is not stored, so 0 is free to mean "none".
struct ReverseTable {
  std::array<std::uint16_t, 0x10000> code{};

  ReverseTable() {
    for (const SingleByte& s : kSingleBytes) code[s.ch] = s.byte;
    for (std::size_t lead = 0; lead < std::size(kDoubleByteRows); ++lead) {
      const std::u16string_view row = kDoubleByteRows[lead];
      for (std::size_t i = 0; i < row.size(); ++i) {
        code[row[i]] = static_cast<std::uint16_t>((kFirstLead + lead) << 8 | trailByte(i));
      }
    }
  }
};

const ReverseTable& reverseTable() {
  static const ReverseTable table;  // built once, thread-safe
  return table;
}

}  // namespace

std::int16_t Cp936CharCode(char32_t ch) noexcept {
  if (ch < 0x80) return static_cast<std::int16_t>(ch);
  // Beyond the BMP the conversion sees a surrogate pair, which it cannot
  // encode; lone surrogates are absent from the table as well.
  if (ch > 0xFFFF) return kUnencodable;
  const std::uint16_t code = reverseTable().code[ch];
  // A double-byte code is read as signed: lead byte 0x81.. makes it negative.
  return code == 0 ? kUnencodable : static_cast<std::int16_t>(code);
}

}  // namespace calc
