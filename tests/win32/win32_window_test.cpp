// Sorbel.exe under wine, worked from outside: the shared scenarios, and the
// facts that only the Win32 window has (its frame, control styles, limits,
// which control owns a shared pixel).
//   win32_window_tests <Sorbel.exe> <screenshot dir> <Sorbel-no-sse2.exe> <fake_accprop.dll>
//                      [GoogleTest flags]
// The third is Sorbel.exe's start-up told that the processor has no SSE2; the
// fourth a stand-in for the screen readers' annotation service.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "tests/win32/program.h"
#include "tests/win32/screenshot.h"
#include "tests/win32/wine_driver.h"
#include "tests/window/scenarios.h"
#include "ui/layout.h"
#include "ui/pixels.h"
#include "ui/texts.h"
#include "ui/win32/wide.h"

std::wstring g_exe, g_shots, g_noSse2;
extern std::wstring g_fakeAccProp;

namespace {

using ui::Control;

class Win32Window : public testing::Test {
 protected:
  Win32Window() : driver(g_exe, g_shots) { driver.start(); }
  driver::App& app() { return driver.app(); }
  static int dpi() {
    HDC screen = GetDC(nullptr);
    const int d = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return d;
  }
  window::WineDriver driver;
};

TEST_F(Win32Window, HasItsClientSizeAFixedFrameAndItsIcon) {
  ASSERT_TRUE(app().started());
  RECT rc;
  GetClientRect(app().main(), &rc);
  EXPECT_EQ(rc.right, ui::twipsToPixels(5295, dpi()));
  EXPECT_EQ(rc.bottom, ui::twipsToPixels(4335, dpi()));
  const LONG style = GetWindowLongW(app().main(), GWL_STYLE);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX), 0);
  EXPECT_NE(style & WS_SYSMENU, 0);
  for (WPARAM size : {ICON_BIG, ICON_SMALL}) {
    DWORD_PTR icon = 0;
    if (SendMessageTimeoutW(app().main(), WM_GETICON, size, 0, SMTO_ABORTIFHUNG, 5000, &icon))
      EXPECT_NE(icon, 0u);
    else  // Wine passes no WM_GETICON between processes
      std::printf("    (window icon not readable from another process here)\n");
  }
}

// Each control as the table makes it: a box limits what is typed to its
// maximum; a button is drawn by the program, so that none is a default button.
TEST_F(Win32Window, ControlsAreMadeAsTheTableSays) {
  for (const ui::ControlSpec& s : ui::kControls) {
    SCOPED_TRACE(ui::nameOf(s.id));
    if (s.kind == ui::Kind::TextBox) {
      EXPECT_EQ(app().send(s.id, EM_GETLIMITTEXT), s.maxLength);
    } else if (s.kind == ui::Kind::Button) {
      EXPECT_EQ(GetWindowLongW(app().item(s.id), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    }
  }
}

// The buttons' shared pixel columns belong to the right-hand button, and the
// right end of Label5 lies under combWL.
TEST_F(Win32Window, ASharedPixelBelongsToTheControlOnTop) {
  auto hit = [&](int xTwips, int yTwips) {
    POINT p{ui::twipsToPixels(xTwips, dpi()), ui::twipsToPixels(yTwips, dpi())};
    ClientToScreen(app().main(), &p);
    HWND h = WindowFromPoint(p);
    if (h && GetParent(h) != app().main()) h = GetParent(h);
    return h;
  };
  EXPECT_EQ(hit(1905, 3840), app().item(Control::cmdCalculation));
  EXPECT_EQ(hit(1920, 3840), app().item(Control::cmdReCalculation));
  EXPECT_EQ(hit(3480, 3840), app().item(Control::cmdEnd));
  EXPECT_EQ(hit(1575, 2100), app().item(Control::combWL));
}

// No caption's ink runs under the control beside it: the columns it draws
// in, seen with that control hidden, end before the control begins.
TEST_F(Win32Window, NoCaptionRunsUnderTheControlBesideIt) {
  HWND main = app().main();
  auto drawnWithout = [main](std::initializer_list<HWND> hidden) {
    for (HWND h : hidden) ShowWindow(h, SW_HIDE);
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    window::Picture drawn, again = driver::capture(main);
    do {  // painted by the other process: until two pictures agree
      drawn = again;
      Sleep(50);
      again = driver::capture(main);
    } while (drawn.pixels != again.pixels);
    for (HWND h : hidden) ShowWindow(h, SW_SHOWNA);
    return drawn;
  };
  for (auto [label, beside] : {std::pair{Control::Label1, Control::txtD},
                               {Control::Label2, Control::txt2X},
                               {Control::Label5, Control::combWL}}) {
    const RECT l = driver::rectIn(main, app().item(label)),
               c = driver::rectIn(main, app().item(beside));
    const window::Picture with = drawnWithout({app().item(beside)}),
                          without = drawnWithout({app().item(beside), app().item(label)});
    int inkRight = -1;
    for (int y = l.top; y < l.bottom; ++y)
      for (int x = l.left; x < with.width; ++x)
        if (with.at(x, y) != without.at(x, y)) inkRight = std::max(inkRight, x);
    EXPECT_GT(inkRight, l.left) << ui::nameOf(label);
    EXPECT_LT(inkRight, c.left) << ui::nameOf(label) << " beside " << ui::nameOf(beside);
  }
}

TEST_F(Win32Window, AnArithmeticErrorShowsAModalBoxWithAnOkButton) {
  driver::App& a = app();
  a.clickInto(Control::txtD);
  a.type(L"0");
  a.clickInto(Control::txt2X);
  a.type(L"30");
  a.press(Control::cmdCalculation);
  const auto box = a.messageBox();
  ASSERT_TRUE(box.has_value());
  std::printf("    message box button: \"%s\"\n", ui::win32::narrow(box->button).c_str());
  EXPECT_FALSE(box->button.empty());
  EXPECT_TRUE(box->okOnly);
  EXPECT_FALSE(IsWindowEnabled(a.main()));  // modal: the window waits for it
  driver::screenshot(FindWindowW(L"#32770", L"Sorbel"), g_shots + L"\\arithmetic-error.png");
  EXPECT_TRUE(a.dismiss());
}

TEST(Win32Startup, AProcessorWithoutSse2IsToldSoAndNoWindowOpens) {
  driver::App a(g_noSse2, driver::App::Opens::MessageBox);
  const auto box = a.messageBox();
  ASSERT_TRUE(box.has_value());
  driver::screenshot(FindWindowW(L"#32770", L"Sorbel"), g_shots + L"\\no-sse2.png");
  EXPECT_EQ(box->title, L"Sorbel");
  EXPECT_EQ(box->text, ui::win32::widen(ui::texts::kNeedsSse2));
  EXPECT_TRUE(box->icon);
  EXPECT_TRUE(box->okOnly);
  EXPECT_TRUE(a.dismiss());
  DWORD code = 0;
  ASSERT_TRUE(a.waitForExit(&code));
  EXPECT_EQ(code, 1u);  // the program proper would have returned 99
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc < 5) {
    std::fprintf(stderr,
                 "usage: win32_window_tests <Sorbel.exe> <screenshot dir> <Sorbel-no-sse2.exe> "
                 "<fake_accprop.dll>\n");
    return 2;
  }
  g_exe = argv[1];
  g_shots = argv[2];
  g_noSse2 = argv[3];
  g_fakeAccProp = argv[4];
  window::WineDriver driver(g_exe, g_shots);
  window::registerScenarios("Win32Scenario", [&driver]() -> window::Driver& { return driver; });
  return RUN_ALL_TESTS();
}
