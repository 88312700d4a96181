#pragma once
// Desktops the window's users have, by the colours of their roles.
#include <array>
#include <cstdint>

#include "ui/look.h"

namespace window {

struct Desktop {
  const char* name;
  // 0xRRGGBB in the order of ui::Role: Window, WindowText, Base, Text,
  // Button, ButtonText, Highlight, Mid, ToolTipBase, DisabledBase, DisabledText.
  std::array<std::uint32_t, ui::kRoleCount> rgb;
  enum class On { Windows, Linux, Both } on;  // whose colour scheme it is
  const char* qtStyle = nullptr;              // the Qt style that brings this palette, if one does
};

inline constexpr Desktop kDesktops[] = {
    {"Windows XP",
     {0xECE9D8, 0, 0xFFFFFF, 0, 0xECE9D8, 0, 0x316AC5, 0xACA899, 0xFFFFE1, 0xECE9D8, 0xACA899},
     Desktop::On::Windows},
    {"Windows classic",
     {0xD4D0C8, 0, 0xFFFFFF, 0, 0xD4D0C8, 0, 0x0A246A, 0x808080, 0xFFFFE1, 0xD4D0C8, 0x808080},
     Desktop::On::Windows},
    {"Windows 10",
     {0xF0F0F0, 0, 0xFFFFFF, 0, 0xF0F0F0, 0, 0x0078D7, 0xA0A0A0, 0xFFFFE1, 0xF0F0F0, 0x6D6D6D},
     Desktop::On::Windows},
    {"Wine",
     {0xC0C0C0, 0, 0xFFFFFF, 0, 0xC0C0C0, 0, 0x000080, 0x808080, 0xFFFFE1, 0xC0C0C0, 0x808080},
     Desktop::On::Windows},
    {"Qt light",
     {0xEFEFEF, 0, 0xFFFFFF, 0, 0xEFEFEF, 0, 0x308CC6, 0xB8B8B8, 0xFFFFDC, 0xEFEFEF, 0xBEBEBE},
     Desktop::On::Linux},
    {"GNOME dark",
     {0x353535, 0xEEEEEC, 0x2D2D2D, 0xEEEEEC, 0x353535, 0xEEEEEC, 0x15539E, 0x2A2A2A, 0x000000,
      0x323232, 0x919190},
     Desktop::On::Linux},
    {"Adwaita-Dark",
     {0x353535, 0xEEEEEC, 0x2D2D2D, 0xEEEEEC, 0x373737, 0xEEEEEC, 0x15539E, 0x2A2A2A, 0x262626,
      0x2D2D2D, 0x919190},
     Desktop::On::Linux,
     "Adwaita-Dark"},
    {"qt6ct darker",
     {0x424245, 0xFFFFFF, 0x2C2C2C, 0xFFFFFF, 0x424245, 0xFFFFFF, 0x12608A, 0x464646, 0x3F3F36,
      0x2C2C2C, 0x808080},
     Desktop::On::Linux},
    {"dark, light tooltips",
     {0x353535, 0xFFFFFF, 0x191919, 0xFFFFFF, 0x353535, 0xFFFFFF, 0x2A82DA, 0x242424, 0xFFFFDC,
      0x353535, 0x7F7F7F},
     Desktop::On::Linux},
    {"high contrast",  // Windows' and the Linux desktops' alike
     {0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF, 0x000000, 0xFFFFFF, 0x1AEBFF, 0x808080, 0x000000,
      0x000000, 0x3FF23F},
     Desktop::On::Both},
};

inline ui::Rgb rgbOf(std::uint32_t c) {
  return {static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8),
          static_cast<std::uint8_t>(c)};
}

inline ui::Palette paletteOf(const Desktop& d) {
  ui::Palette p;
  for (std::size_t i = 0; i < d.rgb.size(); ++i) p.colour[i] = rgbOf(d.rgb[i]);
  return p;
}

}  // namespace window
