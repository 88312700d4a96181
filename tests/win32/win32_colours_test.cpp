// Sorbel.exe's colours on the colour schemes of Windows: every text reads.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "tests/win32/program.h"
#include "tests/win32/screenshot.h"
#include "tests/win32/values_in_place.h"
#include "tests/win32/wine_driver.h"
#include "tests/window/colours.h"
#include "tests/window/desktops.h"
#include "ui/layout.h"

namespace {

using ui::Control;

// A desktop's colours as Windows keeps its scheme, "R G B" under Control
// Panel\Colors, each read by a program as it starts: those the window
// takes its roles from. Wine's own scheme is left as it comes.
driver::ValuesInPlace::Values schemeOf(const window::Desktop& d) {
  if (std::string_view(d.name) == "Wine") return {};
  auto rgb = [&d](ui::Role r) {
    const ui::Rgb c = window::rgbOf(d.rgb[static_cast<std::size_t>(r)]);
    return std::to_wstring(c.r) + L" " + std::to_wstring(c.g) + L" " + std::to_wstring(c.b);
  };
  using ui::Role;
  return {{L"ButtonFace", rgb(Role::Button)},     {L"ButtonShadow", rgb(Role::Mid)},
          {L"ButtonText", rgb(Role::ButtonText)}, {L"GrayText", rgb(Role::DisabledText)},
          {L"Hilight", rgb(Role::Highlight)},     {L"InfoWindow", rgb(Role::ToolTipBase)},
          {L"Window", rgb(Role::Base)},           {L"WindowText", rgb(Role::WindowText)}};
}

// Measured on the drawn window: the text's pixels against its ground's;
// greyed text, in a disabled box, needs less.
TEST(Win32Colours, EveryTextReadsOnEveryColourScheme) {
  for (const window::Desktop& scheme : window::kDesktops) {
    if (scheme.on == window::Desktop::On::Linux) continue;
    SCOPED_TRACE(scheme.name);
    const driver::ValuesInPlace inPlace(HKEY_CURRENT_USER, L"Control Panel\\Colors",
                                        schemeOf(scheme));
    window::WineDriver driver(g_exe, g_shots);
    driver.start();
    HWND main = driver.app().main();
    const window::Drawn drawn{
        [main] { return driver::capture(main); },
        [&driver, main](Control c) {
          HWND h = driver.app().item(c);
          if (c == Control::combWL) h = GetWindow(h, GW_CHILD);  // its field
          const RECT r = driver::rectIn(main, h);
          const ui::Kind kind = ui::spec(c).kind;
          const int frame = kind == ui::Kind::Label ? 0 : kind == ui::Kind::ComboBox ? 1 : 3;
          return window::inside({r.left, r.top, r.right - r.left, r.bottom - r.top}, frame);
        }};
    window::expectEveryTextReadable(driver, drawn, scheme.name);
  }
}

}  // namespace
