#pragma once
#include <array>
#include <optional>
#include <string_view>

#include "calc/texts.h"

namespace calc {

// One entry of the anode list with the text written into the wavelength
// box; the wavelength is kept as text so that it reaches the box unchanged.
struct AnodeWavelength {
  std::string_view entry;
  std::optional<std::string_view> wavelengthNm;  // none: typed by the user
};

inline constexpr std::array<AnodeWavelength, 6> WavelengthTable{{
    {"Cu", "0.154056"},                  // copper Kα1
    {"Cu(Ave)", "0.154184"},             // copper Kα, weighted mean of Kα1 and Kα2
    {"Cr", "0.228970"},                  // chromium Kα1
    {"Fe", "0.193604"},                  // iron Kα1
    {"Co", "0.178897"},                  // cobalt Kα1
    {texts::kOtherAnode, std::nullopt},  // other: manual entry
}};

// The first entry whose text equals `entry` exactly, or nullptr.
constexpr const AnodeWavelength* findAnode(std::string_view entry) {
  for (const auto& a : WavelengthTable)
    if (a.entry == entry) return &a;
  return nullptr;
}

}  // namespace calc
