#include "calc/key_filter.h"

#include "calc/texts.h"

namespace calc {

bool KeyFilter::accepts(Box box, std::int16_t code) noexcept {
  // Codes up to 32 are control keys, the space and every double-byte
  // character (all negative); only digits and "." pass among the rest.
  if (code <= 32 || code == '.' || (code >= '0' && code <= '9')) return true;
  // The FWHM box also lets 190 through. No code page 936 character has that
  // code (0xBE is a lead byte), so in practice the two boxes agree.
  return box == Box::txtD && code == 190;
}

std::string_view KeyFilter::rejection(Box box) noexcept {
  return box == Box::txt2X ? texts::kTwoThetaNotNumber : texts::kFwhmNotNumber;
}

}  // namespace calc
