// Sorbel.exe's colours on the colour schemes of Windows: every text reads.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include <vector>

#include "tests/win32/program.h"
#include "tests/win32/screenshot.h"
#include "tests/win32/values_in_place.h"
#include "tests/win32/wine_driver.h"
#include "tests/window/colours.h"
#include "ui/layout.h"

namespace {

using ui::Control;

// Colour schemes as Windows keeps them, "R G B" under Control Panel\Colors,
// read by each program as it starts.
struct Scheme {
  const char* name;
  driver::ValuesInPlace::Values colours;  // empty: wine's own
};

const Scheme kSchemes[] = {
    {"wine", {}},
    {"Windows 10",
     {{L"ButtonFace", L"240 240 240"},
      {L"ButtonShadow", L"160 160 160"},
      {L"ButtonText", L"0 0 0"},
      {L"GrayText", L"109 109 109"},
      {L"Hilight", L"0 120 215"},
      {L"HilightText", L"255 255 255"},
      {L"InactiveTitleText", L"0 0 0"},
      {L"InfoWindow", L"255 255 225"},
      {L"Scrollbar", L"200 200 200"},
      {L"TitleText", L"0 0 0"},
      {L"Window", L"255 255 255"},
      {L"WindowText", L"0 0 0"}}},
    {"Windows classic",
     {{L"ButtonFace", L"212 208 200"},
      {L"ButtonShadow", L"128 128 128"},
      {L"ButtonText", L"0 0 0"},
      {L"GrayText", L"128 128 128"},
      {L"Hilight", L"10 36 106"},
      {L"HilightText", L"255 255 255"},
      {L"InactiveTitleText", L"212 208 200"},
      {L"InfoWindow", L"255 255 225"},
      {L"Scrollbar", L"212 208 200"},
      {L"TitleText", L"255 255 255"},
      {L"Window", L"255 255 255"},
      {L"WindowText", L"0 0 0"}}},
    {"high contrast black",
     {{L"ButtonFace", L"0 0 0"},
      {L"ButtonShadow", L"128 128 128"},
      {L"ButtonText", L"255 255 255"},
      {L"GrayText", L"63 242 63"},
      {L"Hilight", L"26 235 255"},
      {L"HilightText", L"0 0 0"},
      {L"InactiveTitleText", L"255 255 255"},
      {L"InfoWindow", L"0 0 0"},
      {L"Scrollbar", L"0 0 0"},
      {L"TitleText", L"0 0 0"},
      {L"Window", L"0 0 0"},
      {L"WindowText", L"255 255 255"}}},
};

// Measured on the drawn window: the text's pixels against its ground's;
// greyed text, in a disabled box, needs less.
TEST(Win32Colours, EveryTextReadsOnEveryColourScheme) {
  for (const Scheme& scheme : kSchemes) {
    SCOPED_TRACE(scheme.name);
    const driver::ValuesInPlace inPlace(HKEY_CURRENT_USER, L"Control Panel\\Colors",
                                        scheme.colours);
    window::WineDriver driver(g_exe, g_shots);
    driver.start();
    HWND main = driver.app().main();
    const window::Drawn drawn{
        [main] { return driver::capture(main); },
        [&driver, main](Control c) {
          HWND h = driver.app().item(c);
          if (c == Control::combWL) h = GetWindow(h, GW_CHILD);  // its field
          RECT r;
          GetWindowRect(h, &r);
          MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
          const ui::Kind kind = ui::spec(c).kind;
          const int frame = kind == ui::Kind::Label ? 0 : kind == ui::Kind::ComboBox ? 1 : 3;
          return window::inside({r.left, r.top, r.right - r.left, r.bottom - r.top}, frame);
        }};
    window::expectEveryTextReadable(driver, drawn, scheme.name);
  }
}

}  // namespace
