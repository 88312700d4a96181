#include <array>
#include <cstddef>
#include <cstdint>

#include "calc/key_filter.h"

namespace calc {
namespace {

#include "calc/cp936_table.inc"

constexpr unsigned kFirstLead = 0x81;
constexpr std::size_t kTrailsPerLead = 190;
constexpr std::int16_t kUnencodable = '?';

// Reads kDoubleBytes in code order: named(ch) for each code whose character
// it names, filled() for each code whose character is filled in.
template <class Named, class Filled>
constexpr void walk(Named named, Filled filled) {
  std::uint32_t u = 0;
  for (std::size_t i = 0; i < std::size(kDoubleBytes);) {
    const unsigned op = kDoubleBytes[i++];
    if (op < kIdeographOp) {
      named(u = u + op - kStepBias);
    } else if (op < kRunOp) {
      named(u = kFirstIdeograph + ((op - kIdeographOp) << 8 | kDoubleBytes[i++]));
    } else if (op < kLiteralOp || op == kLongRunOp) {
      for (unsigned n = op == kLongRunOp ? kDoubleBytes[i++] : op - kRunOp + 2; n > 0; --n)
        named(++u);
    } else {
      const unsigned word = kDoubleBytes[i] << 8 | kDoubleBytes[i + 1];
      i += 2;
      if (op == kLiteralOp) {
        named(u = word);
      } else {
        for (unsigned n = word; n > 0; --n) filled();
      }
    }
  }
}

// A truncated or overlong table would shift every code after the fault.
constexpr bool everyCodeOnce() {
  std::size_t codes = 0;
  walk([&codes](std::uint32_t) { ++codes; }, [&codes] { ++codes; });
  return codes == (0xFE - kFirstLead + 1) * kTrailsPerLead;
}
static_assert(everyCodeOnce());

// The code of the index-th double-byte code: trail bytes run 0x40..0x7E,
// 0x80..0xFE (0x7F is never a trail byte).
constexpr std::uint16_t doubleByte(std::size_t index) {
  const std::size_t lead = kFirstLead + index / kTrailsPerLead, trail = index % kTrailsPerLead;
  return static_cast<std::uint16_t>(lead << 8 | (trail < 0x3F ? 0x40 + trail : 0x41 + trail));
}

// Unicode (BMP) to code; 0 where the code page has no exact character.
// ASCII is not stored, so 0 is free to mean "none".
struct ReverseTable {
  std::array<std::uint16_t, 0x10000> code{};

  ReverseTable() {
    for (const SingleByte& s : kSingleBytes) code[s.ch] = s.byte;
    std::size_t index = 0;
    walk([&](std::uint32_t ch) { code[ch] = doubleByte(index++); }, [&index] { ++index; });
    // Then the codes filled in, once every other character has its code.
    index = 0;
    std::uint32_t next = kFirstIdeograph;
    walk([&index](std::uint32_t) { ++index; },
         [&] {
           while (code[next] != 0) ++next;
           code[next] = doubleByte(index++);
         });
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
