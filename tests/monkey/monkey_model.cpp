#include "tests/monkey/monkey_model.h"

#include <algorithm>
#include <bitset>

#include "calc/grain_size_formula.h"
#include "calc/key_filter.h"
#include "calc/number_text.h"
#include "calc/wavelength_table.h"
#include "ui/handlers.h"
#include "ui/layout.h"

namespace monkey {
namespace {

using window::utf16Length;
using window::utf8;

// Every message box's title, the program's name.
constexpr std::string_view kTitle = "Sorbel";

using window::kBoxes;
using window::kButtons;
using window::quoted;

int idx(Control c) { return static_cast<int>(c); }
std::string name(Control c) { return std::string(ui::nameOf(c)); }
std::string name(const std::optional<Control>& c) { return c ? name(*c) : "nothing"; }
bool isButton(Control c) { return ui::spec(c).kind == ui::Kind::Button; }

// Characters a box takes from the user; combWL's field has no limit.
std::size_t limitOf(Control c) {
  const int most = ui::spec(c).maxLength;
  return most > 0 ? static_cast<std::size_t>(most) : 32767;
}

// The collected failures of one check, and what the action may change.
struct Verdict {
  const Snapshot& before;
  const Snapshot& after;
  std::vector<std::string> failures;
  std::bitset<ui::kControlCount> textMay, enabledMay;
  std::vector<MessageBox> boxes;  // expected
  bool focusChecked = false;

  void fail(std::string what) { failures.push_back(std::move(what)); }
  void expectText(Control c, std::string_view want) {
    textMay.set(idx(c));
    if (after.text[idx(c)] != want)
      fail(name(c) + " holds " + quoted(after.text[idx(c)]) + ", not " + quoted(want));
  }
  void expectEnabled(Control c, bool want) {
    enabledMay.set(idx(c));
    if (after.enabled[idx(c)] != want) fail(name(c) + (want ? " is disabled" : " is enabled"));
  }
  void expectFocus(Control c) {
    focusChecked = true;
    if (after.focus != c) fail("the focus is on " + name(after.focus) + ", not " + name(c));
  }
  void expectBox(std::string_view text, std::string_view title, bool critical) {
    boxes.push_back({std::string(text), std::string(title), critical});
  }
  // The typed `text` went into `box`: it is there, unless the box was full.
  void expectInserted(Control box, std::string_view text) {
    textMay.set(idx(box));
    const std::string& was = before.text[idx(box)];
    const std::string& now = after.text[idx(box)];
    if (utf16Length(now) > std::max(utf16Length(was), limitOf(box)))
      return fail(name(box) + " took more than its " + std::to_string(limitOf(box)) +
                  " characters: " + quoted(now));
    if (now.find(text) != std::string::npos) return;
    if (utf16Length(was) + utf16Length(text) > limitOf(box) &&
        utf16Length(now) <= std::max(utf16Length(was), limitOf(box)))
      return;  // too long to fit whole
    fail(name(box) + " holds " + quoted(now) + " after " + quoted(text) + " went into " +
         quoted(was));
  }
  void finish();
};

void Verdict::finish() {
  for (Control c : kBoxes) {
    const int i = idx(c);
    if (!textMay[i] && after.text[i] != before.text[i])
      fail(name(c) + " changed from " + quoted(before.text[i]) + " to " + quoted(after.text[i]));
    if (!enabledMay[i] && after.enabled[i] != before.enabled[i])
      fail(name(c) + (after.enabled[i] ? " became enabled" : " became disabled"));
  }
  if (after.boxes != boxes) {
    auto list = [](const std::vector<MessageBox>& v) {
      std::string s = std::to_string(v.size()) + " box(es)";
      for (const auto& b : v)
        s += " [" + b.title + (b.criticalIcon ? ", critical" : "") +
             (b.okOnly ? "" : ", not OK only") + ": " + b.text + "]";
      return s;
    };
    fail("message boxes: " + list(after.boxes) + "; expected " + list(boxes));
  }
}

void expectCalculation(Verdict& v) {
  const Snapshot& b = v.before;
  const std::string& beta = b.text[idx(Control::txtD)];
  const std::string& twoTheta = b.text[idx(Control::txt2X)];
  const std::string& lambda = b.text[idx(Control::txtWaveLengh)];
  if (beta.empty() || twoTheta.empty()) {
    v.expectBox("半峰宽或者2θ角不能为零，请重新输入！", kTitle, true);
    v.expectEnabled(Control::txtResult, false);
    v.expectFocus(Control::txtD);
    return;
  }
  auto single = [](const std::string& t) { return static_cast<float>(calc::NumberText::parse(t)); };
  try {
    const double d = calc::GrainSizeFormula(single(beta), single(twoTheta), single(lambda));
    v.expectText(Control::txtResult, calc::NumberText::format(d));
  } catch (const calc::ArithmeticError& e) {
    v.expectBox(ui::arithmeticErrorMessage(e.kind()), kTitle, true);
  }
  v.expectEnabled(Control::txtResult, true);
}

// Every text as at the start; the wavelength box keeps its enabled state.
void expectReset(Verdict& v) {
  for (const window::BoxAtStart& b : window::kStart) v.expectText(b.box, b.text);
  v.expectEnabled(Control::txtResult, false);
  v.expectFocus(Control::txtD);
  if (v.after.listIndex != -1)
    v.fail("combWL still has entry " + std::to_string(v.after.listIndex));
}

void expectClick(Verdict& v, Control button) {
  if (button == Control::cmdCalculation) expectCalculation(v);
  if (button == Control::cmdReCalculation) expectReset(v);
}

void expectChoice(Verdict& v, int anode) {
  const auto& entry = calc::WavelengthTable[static_cast<std::size_t>(anode)];
  v.expectText(Control::combWL, entry.entry);
  if (v.after.listIndex != anode)
    v.fail("combWL shows entry " + std::to_string(v.after.listIndex) + ", not " +
           std::to_string(anode));
  if (entry.wavelengthNm) {
    v.expectText(Control::txtWaveLengh, *entry.wavelengthNm);
    v.expectEnabled(Control::txtWaveLengh, false);
  } else {
    v.expectText(Control::txtWaveLengh, "");
    v.expectEnabled(Control::txtWaveLengh, true);
    v.expectFocus(Control::txtWaveLengh);
  }
}

// The typed characters of `a` in a numeric box: one message per refused
// character, and the box keeps only what followed the last refused one.
void expectTyped(Verdict& v, Control box, std::u32string_view text) {
  if (!ui::filtersKeys(box)) return v.expectInserted(box, utf8(text));
  const auto rule = box == Control::txtD ? calc::KeyFilter::Box::txtD : calc::KeyFilter::Box::txt2X;
  std::optional<std::size_t> lastRefused;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (calc::KeyFilter::accepts(rule, calc::Cp936CharCode(text[i]))) continue;
    v.expectBox(calc::KeyFilter::rejection(rule), kTitle, false);
    lastRefused = i;
  }
  if (!lastRefused) return v.expectInserted(box, utf8(text));
  // An emptied box takes the rest up to its limit; no pair is split below it.
  std::u32string kept(text.substr(*lastRefused + 1));
  std::size_t fit = 0;
  while (fit < kept.size() && utf16Length(kept.substr(0, fit + 1)) <= limitOf(box)) ++fit;
  v.expectText(box, utf8(kept.substr(0, fit)));
}

void expectKey(Verdict& v, Key key) {
  const auto& focus = v.before.focus;
  if (!focus) return;
  const Control f = *focus;
  if (key == Key::Tab || key == Key::Backtab) {
    if (f == Control::combWL)
      v.textMay.set(idx(Control::combWL));  // leaving may pick the named entry
    const auto enabled = [&v](Control c) { return v.before.isEnabled(c); };
    if (auto next = window::tabFrom(f, key == Key::Backtab, enabled)) v.expectFocus(*next);
    return;
  }
  if (isButton(f)) {
    if (key == Key::Space) expectClick(v, f);
    return;  // Enter and Escape press no button
  }
  switch (key) {
    case Key::Space:
      return expectTyped(v, f, U" ");
    case Key::Backspace:
    case Key::Delete:
      v.textMay.set(idx(f));
      if (utf16Length(v.after.text[idx(f)]) > utf16Length(v.before.text[idx(f)]))
        v.fail(name(f) + " grew on a deleting key");
      return;
    case Key::Undo:
    case Key::Redo:
    case Key::Cut:
      v.textMay.set(idx(f));
      return;
    case Key::Enter:
      if (f == Control::combWL) v.textMay.set(idx(f));  // the field may settle on an entry
      return;
    case Key::Up:
    case Key::Down:
      // In the closed list the arrows choose the neighbouring entry, and
      // with none chosen the first; at either end the entry shown stays
      // chosen, and its text comes back into a field the user has edited.
      if (f == Control::combWL && v.before.listIndex < 0) return expectChoice(v, 0);
      if (f == Control::combWL && (v.after.listIndex != v.before.listIndex ||
                                   v.after.text[idx(f)] != v.before.text[idx(f)])) {
        if (v.after.listIndex < 0 ||
            v.after.listIndex >= static_cast<int>(calc::WavelengthTable.size()))
          return v.fail("combWL moved to entry " + std::to_string(v.after.listIndex));
        expectChoice(v, v.after.listIndex);
      }
      return;
    default:
      return;
  }
}

}  // namespace

std::vector<std::string> Monkey::check(const Snapshot& before, const Action& a,
                                       const Snapshot& after) const {
  Verdict v{before, after, {}, {}, {}, {}};
  if (endsProgram(before, a)) {
    if (!after.ended) v.fail("the program did not end");
    return v.failures;
  }
  if (after.ended || !after.alive) {
    v.fail(after.ended ? "the program ended" : "the window is gone or its loop does not answer");
    return v.failures;
  }
  if (after.leftOpen) v.fail("a message box or the list is still open");
  // Leaving combWL's field may settle its text on the entry it names.
  const bool leavesCombo = before.focus == Control::combWL && a.box != Control::combWL &&
                           (a.kind == Action::Kind::Type || a.kind == Action::Kind::Paste ||
                            a.kind == Action::Kind::Click);
  if (leavesCombo) v.textMay.set(idx(Control::combWL));
  switch (a.kind) {
    case Action::Kind::Type:
      expectTyped(v, a.box, a.text);
      break;
    case Action::Kind::Paste: {
      // Pasting is not typing: no filter, whatever the text.
      const bool plain =
          std::none_of(a.text.begin(), a.text.end(), [](char32_t c) { return c < 32; });
      if (plain)
        v.expectInserted(a.box, utf8(a.text));
      else
        v.textMay.set(idx(a.box));
      break;
    }
    case Action::Kind::Press:
      expectKey(v, a.key);
      break;
    case Action::Kind::Click:
      expectClick(v, a.box);
      break;
    case Action::Kind::Choose:
      if (!before.enabled[idx(Control::combWL)]) break;
      expectChoice(v, a.anode);
      break;
    case Action::Kind::Close:
      break;  // ends the program: answered above
  }
  v.finish();
  return v.failures;
}

std::vector<std::string> checkStart(const Snapshot& s) {
  Snapshot before;  // nothing may differ from the starting state below
  Verdict v{before, s, {}, {}, {}, {}};
  if (!s.alive) v.fail("the window did not open");
  for (const window::BoxAtStart& b : window::kStart) {
    v.expectText(b.box, b.text);
    v.expectEnabled(b.box, b.enabled);
  }
  for (Control c : kButtons) v.expectEnabled(c, true);
  v.expectFocus(Control::txtD);
  if (s.listIndex != -1) v.fail("combWL starts on entry " + std::to_string(s.listIndex));
  if (!s.boxes.empty()) v.fail("a message box at start");
  return v.failures;
}

// Mostly the boxes a user types into for every peak, often the focused one.
Control Monkey::pickBox(const Snapshot& now) {
  if (now.focus && chance(60) && now.enabled[idx(*now.focus)] &&
      std::find(kBoxes.begin(), kBoxes.end(), *now.focus) != kBoxes.end())
    return *now.focus;
  for (;;) {
    const int r = below(100);
    const Control c = r < 38   ? Control::txtD
                      : r < 76 ? Control::txt2X
                      : r < 86 ? Control::txtWaveLengh
                      : r < 93 ? Control::txtResult
                               : Control::combWL;
    if (now.enabled[idx(c)]) return c;
  }
}

char32_t Monkey::pickChar() {
  static constexpr std::u32string_view letters =
      U"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  static constexpr std::u32string_view signs = U"+-*/,;:!?@#$%^&()=[]{}<>'\"`~|\\_";
  // Chinese text, full-width forms, symbols code page 936 has and has not,
  // a private-use and a supplementary-plane character.
  static constexpr std::u32string_view wide =
      U"角度半峰宽二三零一点五计算结果粒径，。．１２θλ°×÷¾€\u00a0\ue000\U0001F600";
  const int r = below(100);
  auto from = [this](std::u32string_view s) {
    return s[static_cast<std::size_t>(below(static_cast<int>(s.size())))];
  };
  if (r < 45) return U'0' + static_cast<char32_t>(below(10));
  if (r < 55) return U'.';
  if (r < 57) return U' ';
  if (r < 61) return chance(50) ? U'e' : U'E';
  if (r < 72) return from(letters);
  if (r < 82) return from(signs);
  return from(wide);
}

std::u32string Monkey::pickPaste() {
  static constexpr std::array<std::u32string_view, 24> texts{U"",
                                                             U"   ",
                                                             U"\t \n",
                                                             U"1e999999999999",
                                                             U"9.9E+308",
                                                             U"1e-400",
                                                             U"-0",
                                                             U"&H",
                                                             U"&HFFFFFFFFFFFFFFFF",
                                                             U"&O777",
                                                             U"&h1A",
                                                             U"&Hzz",
                                                             U"1 2 . 5",
                                                             U"0.2.5",
                                                             U"１２３",
                                                             U"1,5",
                                                             U"inf",
                                                             U"nan",
                                                             U"0x1p3",
                                                             U"角度30",
                                                             U"-5e",
                                                             U"0.154056",
                                                             U"\r\n30",
                                                             U"+.5e+2"};
  const int r = below(100);
  if (r < 50) return std::u32string(texts[static_cast<std::size_t>(below(texts.size()))]);
  std::u32string s;
  const int n = r < 90 ? below(12) : 100 + below(900);  // now and then a long one
  for (int i = 0; i < n; ++i) s += pickChar();
  return s;
}

Action Monkey::next(const Snapshot& now) {
  Action a;
  const int r = below(1000);
  if (r < 470) {
    a.kind = Action::Kind::Type;
    a.box = pickBox(now);
    a.inputMethod = chance(8);
    const int n = a.inputMethod ? 1 + below(4) : 1;
    for (int i = 0; i < n; ++i) a.text += pickChar();
  } else if (r < 520) {
    a.kind = Action::Kind::Paste;
    a.box = pickBox(now);
    a.text = pickPaste();
  } else if (r < 800) {
    a.kind = Action::Kind::Press;
    static constexpr std::pair<Key, int> weights[] = {
        {Key::Backspace, 14}, {Key::Delete, 4},    {Key::Enter, 10}, {Key::Escape, 8},
        {Key::Tab, 16},       {Key::Backtab, 6},   {Key::Space, 6},  {Key::Left, 3},
        {Key::Right, 2},      {Key::Home, 2},      {Key::End, 2},    {Key::Up, 4},
        {Key::Down, 6},       {Key::SelectAll, 6}, {Key::Undo, 3},   {Key::Redo, 2},
        {Key::Cut, 3},        {Key::Copy, 2}};
    int w = below(99);
    for (const auto& [key, weight] : weights) {
      a.key = key;
      if ((w -= weight) < 0) break;
    }
  } else if (r < 960) {
    a.kind = Action::Kind::Click;
    const int b = below(1000);
    a.box = b < 750   ? Control::cmdCalculation
            : b < 998 ? Control::cmdReCalculation
                      : Control::cmdEnd;
  } else {
    a.kind = Action::Kind::Choose;
    a.anode = below(static_cast<int>(calc::WavelengthTable.size()));
    a.byMouse = chance(50);
  }
  return a;
}

}  // namespace monkey
