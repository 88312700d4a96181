// Drives Sorbel.exe from outside, as a user would, and checks what the
// window shows. Usage: sorbel_driver <Sorbel.exe> <screenshot dir> [scenario]
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "calc/grain_size_formula.h"
#include "calc/key_filter.h"
#include "calc/number_text.h"
#include "tests/win32/screenshot.h"
#include "tests/win32/sorbel_app.h"
#include "ui/handlers.h"
#include "ui/layout.h"
#include "ui/win32/wide.h"

using driver::App;
using ui::Control;
using ui::win32::narrow;
using ui::win32::widen;

namespace {

std::wstring g_exe, g_shots;
int g_failures = 0;

void fail(int line, const std::string& what) {
  ++g_failures;
  std::printf("    FAIL (line %d): %s\n", line, what.c_str());
}
#define CHECK(cond) ((cond) ? void() : fail(__LINE__, #cond))
#define CHECK_EQ(got, want)                                                                     \
  do {                                                                                          \
    const std::wstring g_ = (got), w_ = (want);                                                 \
    if (g_ != w_) fail(__LINE__, #got ": \"" + narrow(g_) + "\", want \"" + narrow(w_) + "\""); \
  } while (0)

// What calc makes of the three texts: the result the window must show.
std::wstring expected(const wchar_t* d, const wchar_t* x, const wchar_t* l) {
  auto single = [](const wchar_t* t) {
    return static_cast<float>(calc::NumberText::parse(narrow(t)));
  };
  return widen(calc::NumberText::format(calc::GrainSizeFormula(single(d), single(x), single(l))));
}

// A message box must be up with this text, title and icon; it is dismissed.
void expectBox(App& a, int line, std::string_view text, bool icon) {
  const auto box = a.messageBox();
  if (!box) return fail(line, "no message box with \"" + std::string(text) + "\"");
  if (box->text != widen(text)) fail(line, "box text \"" + narrow(box->text) + "\"");
  if (box->title != L"Sorbel") fail(line, "box title \"" + narrow(box->title) + "\"");
  if (box->icon != icon) fail(line, icon ? "box without its icon" : "box with an icon");
  if (!a.dismiss()) fail(line, "box did not close");
  if (a.messageBox()) fail(line, "a second message box");
}
#define EXPECT_BOX(app, text, icon) expectBox(app, __LINE__, text, icon)
#define EXPECT_NO_BOX(app) CHECK(!(app).messageBox())

// Types into a box after clicking it, as the user would.
void enter(App& a, Control c, const wchar_t* text) {
  a.clickInto(c);
  a.type(text);
}

// Replaces what the two input boxes hold, keeping the wavelength.
void retype(App& a, Control c, const wchar_t* text) {
  a.clickInto(c);
  a.key(VK_END);
  a.type(L"\b\b\b\b\b\b\b\b");
  a.type(text);
}

void calculate(App& a, const wchar_t* d, const wchar_t* x) {
  retype(a, Control::txtD, d);
  retype(a, Control::txt2X, x);
  a.press(Control::cmdCalculation);
}

void shot(HWND window, const wchar_t* name) {
  if (!driver::screenshot(window, g_shots + L"\\" + name))
    std::printf("    (no screenshot %ls)\n", name);
}

void startState() {
  App a(g_exe);
  CHECK(a.started());
  RECT rc;
  GetClientRect(a.main(), &rc);
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  CHECK(rc.right == ui::twipsToPixels(5295, dpi) && rc.bottom == ui::twipsToPixels(4335, dpi));
  const LONG style = GetWindowLongW(a.main(), GWL_STYLE);
  CHECK((style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) == 0);
  CHECK((style & WS_SYSMENU) != 0);
  for (WPARAM size : {ICON_BIG, ICON_SMALL}) {  // the window's icon
    DWORD_PTR icon = 0;
    if (SendMessageTimeoutW(a.main(), WM_GETICON, size, 0, SMTO_ABORTIFHUNG, 5000, &icon))
      CHECK(icon != 0);
    else  // Wine passes no WM_GETICON between processes
      std::printf("    (window icon not readable from another process here)\n");
  }

  CHECK_EQ(a.text(Control::txtD), L"");
  CHECK_EQ(a.text(Control::txt2X), L"");
  CHECK_EQ(a.text(Control::txtResult), L"");
  CHECK_EQ(a.text(Control::txtWaveLengh), L"0.154056");
  CHECK_EQ(a.text(Control::combWL), L"Cu");
  CHECK(a.listIndex() == -1);
  const wchar_t* items[] = {L"Cu", L"Cu(Ave)", L"Cr", L"Fe", L"Co", L"其他"};
  CHECK(a.send(Control::combWL, CB_GETCOUNT) == 6);
  for (int i = 0; i < 6; ++i) CHECK_EQ(a.listItem(i), items[i]);
  CHECK(a.enabled(Control::txtD) && a.enabled(Control::txt2X) && a.enabled(Control::combWL));
  CHECK(!a.enabled(Control::txtResult) && !a.enabled(Control::txtWaveLengh));
  CHECK(a.focus() == Control::txtD);
  for (Control c : {Control::cmdCalculation, Control::cmdReCalculation, Control::cmdEnd})
    CHECK((GetWindowLongW(a.item(c), GWL_STYLE) & BS_TYPEMASK) ==
          BS_OWNERDRAW);  // never a default button
  CHECK(a.send(Control::txtD, EM_GETLIMITTEXT) == 8 &&
        a.send(Control::txt2X, EM_GETLIMITTEXT) == 8);
  CHECK(a.send(Control::txtWaveLengh, EM_GETLIMITTEXT) == 8 &&
        a.send(Control::txtResult, EM_GETLIMITTEXT) == 16);

  // Stacking: the shared pixel columns belong to the right-hand button, and
  // the right end of Label5 lies under combWL.
  auto hit = [&](int xTwips, int yTwips) {
    POINT p{ui::twipsToPixels(xTwips, dpi), ui::twipsToPixels(yTwips, dpi)};
    ClientToScreen(a.main(), &p);
    HWND h = WindowFromPoint(p);
    if (h && GetParent(h) != a.main()) h = GetParent(h);
    return h;
  };
  CHECK(hit(1905, 3840) == a.item(Control::cmdCalculation));
  CHECK(hit(1920, 3840) == a.item(Control::cmdReCalculation));
  CHECK(hit(3480, 3840) == a.item(Control::cmdEnd));
  CHECK(hit(1575, 2100) == a.item(Control::combWL));
  shot(a.main(), L"frmXRD-start.png");
}

void typicalUse() {
  App a(g_exe);
  a.type(L"0.25");  // the focus starts in txtD
  a.key(VK_TAB);
  a.type(L"31.8");
  a.press(Control::cmdCalculation);
  EXPECT_NO_BOX(a);
  CHECK_EQ(a.text(Control::txtResult), expected(L"0.25", L"31.8", L"0.154056"));
  CHECK(a.enabled(Control::txtResult));
  shot(a.main(), L"frmXRD.png");
}

void workedValues() {
  struct Row {
    const wchar_t *d, *x;
    int anode;
    const wchar_t* want;  // nullptr: as calc computes it
  };
  const Row rows[] = {
      {L"0.2", L"30", 0, L"40.6646921851893"},
      {L"0.2", L"0", 0, L"39.2790765322029"},
      {L"1", L"60", 2, L"13.4821954151068"},
      {L"0.2", L"180", 0, L"520267143.415719"},
      {L"0.2", L"360", 0, L"-39.2790765322033"},
      {L"0.2.5", L"30", 0, L"40.6646921851893"},
      {L" 0. 2", L"30", 0, L"40.6646921851893"},
      {L"0.2", L"30", 5, L"0"},  // empty wavelength
      {L"100", L"30", 0, nullptr},
      {L"0.000001", L"89.9", 1, nullptr},
  };
  const wchar_t* wavelengths[] = {L"0.154056", L"0.154184", L"0.228970", L"", L"", L""};
  App a(g_exe);
  for (const Row& r : rows) {
    a.press(Control::cmdReCalculation);
    a.choose(r.anode);
    calculate(a, r.d, r.x);
    EXPECT_NO_BOX(a);
    const std::wstring got = a.text(Control::txtResult);
    CHECK_EQ(got, expected(r.d, r.x, wavelengths[r.anode]));
    if (r.want) CHECK_EQ(got, r.want);
  }
}

void filters() {
  const std::string_view dMsg = calc::KeyFilter::rejection(calc::KeyFilter::Box::txtD);
  const std::string_view xMsg = calc::KeyFilter::rejection(calc::KeyFilter::Box::txt2X);
  App a(g_exe);
  struct Refusal {
    Control box;
    const wchar_t *before, *bad;
    std::string_view message;
  };
  const Refusal refusals[] = {
      {Control::txtD, L"12", L"-", dMsg},         {Control::txt2X, L"3", L"e", xMsg},
      {Control::txtD, L"1.5", L",", dMsg},        {Control::txt2X, L"1", L"+", xMsg},
      {Control::txtD, L"1", L"\U00020000", dMsg},  // beyond code page 936: refused whole
  };
  for (const Refusal& r : refusals) {
    enter(a, r.box, r.before);
    CHECK_EQ(a.text(r.box), r.before);
    a.type(r.bad);
    EXPECT_BOX(a, r.message, false);
    CHECK_EQ(a.text(r.box), L"");
    CHECK(a.focus() == r.box);
  }
  struct Accepted {
    Control box;
    const wchar_t *typed, *shown;
  };
  const Accepted accepted[] = {
      {Control::txtD, L"中文 1..2", L"中文 1..2"},
      {Control::txt2X, L"甲 0.", L"甲 0."},
      {Control::txtD, L"\b\b\b\b\b\b\b\b12\b", L"1"},  // Backspace edits
  };
  for (const Accepted& t : accepted) {
    enter(a, t.box, t.typed);
    EXPECT_NO_BOX(a);
    CHECK_EQ(a.text(t.box), t.shown);
    a.press(Control::cmdReCalculation);
  }
  a.choose(5);  // the wavelength box has no filter
  a.type(L"ab-,e");
  EXPECT_NO_BOX(a);
  CHECK_EQ(a.text(Control::txtWaveLengh), L"ab-,e");
}

void emptyInput() {
  App a(g_exe);
  a.press(Control::cmdCalculation);
  EXPECT_BOX(a, ui::kEmptyInputMessage, true);  // both empty: one box
  CHECK(a.focus() == Control::txtD);
  CHECK(!a.enabled(Control::txtResult));
  enter(a, Control::txtD, L"1");
  a.press(Control::cmdCalculation);
  EXPECT_BOX(a, ui::kEmptyInputMessage, true);

  calculate(a, L"0.2", L"30");  // an earlier result stays, greyed
  enter(a, Control::txt2X, L"\b\b");
  a.press(Control::cmdCalculation);
  EXPECT_BOX(a, ui::kEmptyInputMessage, true);
  CHECK_EQ(a.text(Control::txtResult), L"40.6646921851893");
  CHECK(!a.enabled(Control::txtResult));
  CHECK(a.focus() == Control::txtD);

  calculate(a, L" ", L"30");  // a blank is not empty: it reads 0
  EXPECT_BOX(a, ui::arithmeticErrorMessage(calc::ArithmeticError::Kind::DivisionByZero), true);
}

void arithmeticError() {
  App a(g_exe);
  calculate(a, L"0", L"30");
  const auto box = a.messageBox();
  if (box) std::printf("    message box button: \"%s\"\n", narrow(box->button).c_str());
  shot(FindWindowW(L"#32770", L"Sorbel"), L"arithmetic-error.png");
  EXPECT_BOX(a, ui::arithmeticErrorMessage(calc::ArithmeticError::Kind::DivisionByZero), true);
  CHECK(!a.waitExit(0));
  CHECK_EQ(a.text(Control::txtResult), L"");
  CHECK(a.enabled(Control::txtResult));
  a.press(Control::cmdReCalculation);
  a.choose(5);  // no wavelength and no width: 0 / 0
  calculate(a, L"0", L"30");
  EXPECT_BOX(a, ui::arithmeticErrorMessage(calc::ArithmeticError::Kind::InvalidOperation), true);
  a.choose(0);
  calculate(a, L"0.2", L"30");  // and the program goes on
  EXPECT_NO_BOX(a);
  CHECK_EQ(a.text(Control::txtResult), L"40.6646921851893");
}

void anodeList() {
  App a(g_exe);
  const wchar_t* names[] = {L"Cu", L"Cu(Ave)", L"Cr", L"Fe", L"Co"};
  const wchar_t* wavelengths[] = {L"0.154056", L"0.154184", L"0.228970", L"0.193604", L"0.178897"};
  for (int i : {1, 2, 3, 4, 0, 0}) {  // the last repeats the one shown
    a.choose(i);
    EXPECT_NO_BOX(a);
    CHECK_EQ(a.text(Control::combWL), names[i]);
    CHECK_EQ(a.text(Control::txtWaveLengh), wavelengths[i]);
    CHECK(!a.enabled(Control::txtWaveLengh));
  }
  for (int round = 0; round < 2; ++round) {  // "其他" empties the box each time
    a.choose(5);
    CHECK_EQ(a.text(Control::combWL), L"其他");
    CHECK(a.enabled(Control::txtWaveLengh));
    CHECK(a.focus() == Control::txtWaveLengh);
    CHECK_EQ(a.text(Control::txtWaveLengh), L"");
    a.type(L"0.228970");
    CHECK_EQ(a.text(Control::txtWaveLengh), L"0.228970");
  }
  calculate(a, L"1", L"60");
  CHECK_EQ(a.text(Control::txtResult), L"13.4821954151068");
  a.choose(0);  // replaces the typed one; the result stays
  CHECK_EQ(a.text(Control::txtWaveLengh), L"0.154056");
  CHECK(!a.enabled(Control::txtWaveLengh));
  CHECK_EQ(a.text(Control::txtResult), L"13.4821954151068");

  // Typed into the field, even an anode's name, is no choice: a Click now
  // would empty the typed wavelength of "其他".
  a.choose(5);
  a.type(L"0.3");
  enter(a, Control::combWL, L"\b\b\b\b\b\b\b\bCr");
  CHECK_EQ(a.text(Control::combWL), L"Cr");
  CHECK_EQ(a.text(Control::txtWaveLengh), L"0.3");
  CHECK(a.enabled(Control::txtWaveLengh));
}

void reset() {
  App a(g_exe);
  a.choose(5);
  a.type(L"0.3");
  calculate(a, L"0.2", L"30");
  CHECK_EQ(a.text(Control::txtResult), expected(L"0.2", L"30", L"0.3"));
  a.press(Control::cmdReCalculation);
  EXPECT_NO_BOX(a);
  CHECK_EQ(a.text(Control::txtD), L"");
  CHECK_EQ(a.text(Control::txt2X), L"");
  CHECK_EQ(a.text(Control::txtResult), L"");
  CHECK(!a.enabled(Control::txtResult));
  CHECK_EQ(a.text(Control::txtWaveLengh), L"0.154056");
  CHECK(a.enabled(Control::txtWaveLengh));  // the reset does not lock it again
  CHECK_EQ(a.text(Control::combWL), L"Cu");
  CHECK(a.listIndex() == -1);
  CHECK(a.focus() == Control::txtD);
  a.clickInto(Control::txt2X);
  a.press(Control::cmdReCalculation);  // nothing to clear: only the focus moves
  CHECK(a.focus() == Control::txtD);
  CHECK_EQ(a.text(Control::txtWaveLengh), L"0.154056");
}

void tabOrder() {
  App a(g_exe);
  const Control locked[] = {Control::txt2X,          Control::combWL,
                            Control::cmdCalculation, Control::cmdReCalculation,
                            Control::cmdEnd,         Control::txtD};
  for (Control c : locked) {
    a.key(VK_TAB);
    CHECK(a.focus() == c);
  }
  calculate(a, L"0.2", L"30");  // enables txtResult
  a.choose(5);                  // enables txtWaveLengh
  a.clickInto(Control::txtD);
  const Control open[] = {
      Control::txt2X,          Control::combWL,           Control::txtResult, Control::txtWaveLengh,
      Control::cmdCalculation, Control::cmdReCalculation, Control::cmdEnd,    Control::txtD};
  for (Control c : open) {
    a.key(VK_TAB);
    CHECK(a.focus() == c);
  }
}

void enterAndEscape() {
  App a(g_exe);
  a.type(L"0.2");
  a.key(VK_TAB);
  a.type(L"30");
  for (int tabs : {0, 1, 1, 1}) {  // from txt2X, combWL, cmdCalculation, cmdReCalculation
    for (int i = 0; i < tabs; ++i) a.key(VK_TAB);
    a.key(VK_RETURN);
    a.key(VK_ESCAPE);
    EXPECT_NO_BOX(a);
    CHECK_EQ(a.text(Control::txtResult), L"");
    CHECK_EQ(a.text(Control::txt2X), L"30");
  }
  a.key(VK_TAB);
  CHECK(a.focus() == Control::cmdEnd);
  a.key(VK_RETURN);
  a.key(VK_ESCAPE);
  CHECK(!a.waitExit(300));
  for (int i = 0; i < 4; ++i) a.key(VK_TAB);  // round to cmdCalculation
  CHECK(a.focus() == Control::cmdCalculation);
  a.key(VK_SPACE);  // the focused button's own key still presses it
  CHECK_EQ(a.text(Control::txtResult), L"40.6646921851893");
}

void maxLengths() {
  App a(g_exe);
  enter(a, Control::txtD, L"123456789");
  CHECK_EQ(a.text(Control::txtD), L"12345678");
  enter(a, Control::txt2X, L"123456789");
  CHECK_EQ(a.text(Control::txt2X), L"12345678");
  a.choose(5);
  a.type(L"0.1234567");
  CHECK_EQ(a.text(Control::txtWaveLengh), L"0.123456");
  a.choose(0);
  calculate(a, L"100", L"30");  // a result longer than the box's limit is shown whole
  const std::wstring longResult = a.text(Control::txtResult);
  CHECK_EQ(longResult, expected(L"100", L"30", L"0.154056"));
  CHECK(longResult.size() > 16);
  a.clickInto(Control::txtResult);
  a.key(VK_END);
  a.type(std::wstring(24, L'\b'));
  CHECK_EQ(a.text(Control::txtResult), L"");
  a.type(L"12345678901234567");
  CHECK_EQ(a.text(Control::txtResult), L"1234567890123456");
}

void exits() {
  {
    App a(g_exe);
    a.press(Control::cmdEnd);
    DWORD code = 1;
    CHECK(a.waitExit(10000, &code));
    CHECK(code == 0);
  }
  {
    App a(g_exe);
    enter(a, Control::txtD, L"1");
    a.closeBox();
    DWORD code = 1;
    CHECK(a.waitExit(10000, &code));
    CHECK(code == 0);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: sorbel_driver <Sorbel.exe> <screenshot dir> [scenario]\n");
    return 2;
  }
  g_exe = argv[1];
  g_shots = argv[2];
  CreateDirectoryW(g_shots.c_str(), nullptr);
  const std::vector<std::pair<const char*, std::function<void()>>> scenarios{
      {"start state", startState},     {"typical use", typicalUse},
      {"worked values", workedValues}, {"filters", filters},
      {"empty input", emptyInput},     {"arithmetic error", arithmeticError},
      {"anode list", anodeList},       {"reset", reset},
      {"tab order", tabOrder},         {"enter and escape", enterAndEscape},
      {"max lengths", maxLengths},     {"exit", exits},
  };
  int failedScenarios = 0;
  for (const auto& [name, run] : scenarios) {
    if (argc > 3 && narrow(argv[3]) != name) continue;
    const int before = g_failures;
    run();
    const bool ok = g_failures == before;
    failedScenarios += ok ? 0 : 1;
    std::printf("[%s] %s\n", ok ? " ok " : "FAIL", name);
    std::fflush(stdout);
  }
  std::printf("%d scenario(s) failed, %d check(s) failed\n", failedScenarios, g_failures);
  return g_failures == 0 ? 0 : 1;
}
