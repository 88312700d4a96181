// The window's behaviour as a user meets it, written once for every driver.
// Expected values are the program's documented behaviour, never computed by
// the code under test.
#include "tests/window/scenarios.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tests/window/user.h"

namespace window {
namespace {

using C = Control;

constexpr std::string_view kEmptyInput = "半峰宽或者2θ角不能为零，请重新输入！";
constexpr std::string_view kFwhmNotNumber = "半峰宽只能为数值，请重新输入！！！";
constexpr std::string_view kTwoThetaNotNumber = "2θ角只能为数值，请重新输入！！！";
constexpr std::string_view kDivisionByZero =
    "计算出错：除数为零。请检查半峰宽（不能为零）后重新计算。";
constexpr std::string_view kOverflow =
    "计算出错：溢出，结果超出数值范围。请检查输入的数值后重新计算。";
constexpr std::string_view kInvalid = "计算出错：无效的运算。请检查输入的数值后重新计算。";
constexpr int kOther = 5;  // "其他": a typed wavelength

// Exactly one message box since the last look: this text, the program's
// name as its title, an OK button only, and the critical icon or none.
void expectBox(User& u, std::string_view text, bool critical) {
  const std::vector<MessageBox> boxes = u.boxes();
  ASSERT_EQ(boxes.size(), 1u) << "expected one box: " << text;
  EXPECT_EQ(boxes[0].text, text);
  EXPECT_EQ(boxes[0].title, "Sorbel");
  EXPECT_EQ(boxes[0].criticalIcon, critical);
  EXPECT_TRUE(boxes[0].okOnly);
}
#define EXPECT_BOX(u, text, critical) \
  do {                                \
    SCOPED_TRACE("message box");      \
    expectBox(u, text, critical);     \
  } while (0)
#define EXPECT_NO_BOX(u) EXPECT_EQ((u).boxes().size(), 0u) << "unexpected message box"

struct Scenario {
  const char* name;
  void (*run)(Driver&);
};
std::vector<Scenario>& scenarios() {
  static std::vector<Scenario> all;
  return all;
}
// A scenario, listed for every driver in the order of this file.
#define SCENARIO(f)                                                               \
  void f(Driver& d);                                                              \
  [[maybe_unused]] const bool f##Listed = (scenarios().push_back({#f, f}), true); \
  void f(Driver& d)

void calculate(User& u, std::string_view beta, std::string_view twoTheta) {
  u.replace(C::txtD, beta);
  u.replace(C::txt2X, twoTheta);
  u.click(C::cmdCalculation);
}

SCENARIO(windowOpensInItsStartingState) {
  User u(d);
  for (const BoxAtStart& b : kStart) {
    EXPECT_EQ(u.text(b.box), b.text) << ui::nameOf(b.box);
    EXPECT_EQ(u.enabled(b.box), b.enabled) << ui::nameOf(b.box);
  }
  for (C c : kButtons) EXPECT_TRUE(u.enabled(c)) << ui::nameOf(c);
  EXPECT_EQ(u.listIndex(), -1);
  EXPECT_EQ(d.listEntries(), (std::vector<std::string>{"Cu", "Cu(Ave)", "Cr", "Fe", "Co", "其他"}));
  EXPECT_EQ(u.focus(), C::txtD);
  EXPECT_NO_BOX(u);
  d.screenshot("frmXRD.png");
}

SCENARIO(typicalUseShowsTheCrystalliteSize) {
  User u(d);
  u.type("0.25");
  u.press(Key::Tab);
  EXPECT_EQ(u.focus(), C::txt2X);
  u.type("31.8");
  u.click(C::cmdCalculation);
  EXPECT_NO_BOX(u);
  EXPECT_EQ(u.text(C::txtResult), "32.6732991533328");
  EXPECT_TRUE(u.enabled(C::txtResult));
  d.screenshot("frmXRD-result.png");
  calculate(u, "0.2", "30");
  EXPECT_NO_BOX(u);
  EXPECT_EQ(u.text(C::txtResult), "40.6646921851893");
}

SCENARIO(workedValuesAreShownToTheLastDigit) {
  struct Row {
    const char *beta, *twoTheta;
    int anode;
    const char *lambda, *want;  // lambda: typed after "其他"
  };
  const Row rows[] = {
      {"0.2", "30", 0, "", "40.6646921851893"},
      {"0.2", "0", 0, "", "39.2790765322029"},
      {"1", "60", 2, "", "13.4821954151068"},
      {"0.2", "180", 0, "", "520267143.415719"},
      {"0.2", "360", 0, "", "-39.2790765322033"},
      {"0.2.5", "30", 0, "", "40.6646921851893"},        // the second point ends the number
      {" 0. 2", "3 0", 0, "", "40.6646921851893"},       // blanks are ignored
      {"0.2", "30", kOther, "", "0"},                    // no wavelength
      {"0.2", "30", kOther, "abc", "0"},                 // no number
      {"0.3", "40", kOther, "0.2", "36.1772516613562"},  // typed wavelength
      {"100", "30", 0, "", "0.0813293855822808"},
      {"0.000001", "89.9", 1, "", "11109340.8092234"},
  };
  User u(d);
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(r.beta) + " " + r.twoTheta + " " + r.lambda);
    u.click(C::cmdReCalculation);
    u.choose(r.anode);
    u.type(r.lambda);
    calculate(u, r.beta, r.twoTheta);
    EXPECT_NO_BOX(u);
    EXPECT_EQ(u.text(C::txtResult), r.want);
    EXPECT_TRUE(u.enabled(C::txtResult));
  }
}

// A Chinese input method in full-width mode types "３０" and "０．２".
SCENARIO(fullWidthDigitsCountAsTheDigitsTheyShow) {
  enum class How { Keys, InputMethod, Paste };
  User u(d);
  for (How how : {How::Keys, How::InputMethod, How::Paste}) {
    SCOPED_TRACE(how == How::Keys ? "keys" : how == How::InputMethod ? "input method" : "pasted");
    u.click(C::cmdReCalculation);
    for (auto [box, text] : {std::pair{C::txtD, "０．２"}, std::pair{C::txt2X, "３０"}}) {
      if (how == How::Keys) u.typeInto(box, text);
      if (how == How::InputMethod) u.commit(box, text);
      if (how == How::Paste) u.paste(box, text);
      EXPECT_EQ(u.text(box), text);
    }
    u.click(C::cmdCalculation);
    EXPECT_NO_BOX(u);
    EXPECT_EQ(u.text(C::txtResult), "40.6646921851893");
  }
}

SCENARIO(refusedCharactersShowTheBoxMessageAndEmptyTheBox) {
  struct Row {
    C box;
    const char *before, *bad;
    std::string_view message;
  };
  const Row rows[] = {
      {C::txtD, "12", "-", kFwhmNotNumber},         {C::txtD, "1", "e", kFwhmNotNumber},
      {C::txtD, "1.5", ",", kFwhmNotNumber},        {C::txtD, "1", "+", kFwhmNotNumber},
      {C::txt2X, "3", "-", kTwoThetaNotNumber},     {C::txt2X, "3", "e", kTwoThetaNotNumber},
      {C::txt2X, "3", ",", kTwoThetaNotNumber},     {C::txt2X, "1", "+", kTwoThetaNotNumber},
      {C::txtD, "1", "\U00020000", kFwhmNotNumber},  // beyond code page 936
  };
  User u(d);
  calculate(u, "0.2", "30");
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(ui::nameOf(r.box)) + " " + r.before + r.bad);
    u.clear(r.box);
    u.type(r.before);
    EXPECT_EQ(u.text(r.box), r.before);
    u.type(r.bad);
    EXPECT_BOX(u, r.message, false);
    EXPECT_EQ(u.text(r.box), "");
    EXPECT_EQ(u.focus(), r.box);
    EXPECT_EQ(u.text(C::txtResult), "40.6646921851893");  // the other boxes keep theirs
    u.type("5");
    EXPECT_EQ(u.text(r.box), "5");
  }
}

SCENARIO(controlKeysChineseAndPastedTextPassTheFilters) {
  User u(d);
  u.type("1 23");
  u.press(Key::Backspace);
  u.press(Key::Enter);
  u.press(Key::Escape);
  EXPECT_EQ(u.text(C::txtD), "1 2");
  u.commit(C::txtD, "角度");
  EXPECT_EQ(u.text(C::txtD), "1 2角度");
  u.click(C::txt2X);
  u.commit(C::txt2X, "二");
  EXPECT_EQ(u.text(C::txt2X), "二");
  u.paste(C::txt2X, "-5e");
  EXPECT_EQ(u.text(C::txt2X), "二-5e");
  struct Row {
    C box;
    const char *typed, *shown;
  };
  for (const Row& r : {Row{C::txtD, "中文 1..2", "中文 1..2"}, Row{C::txt2X, "甲 0.", "甲 0."},
                       Row{C::txtD, "12\b", "1"}}) {
    u.replace(r.box, r.typed);
    EXPECT_EQ(u.text(r.box), r.shown);
  }
  EXPECT_NO_BOX(u);
}

SCENARIO(eachTypedCharacterIsJudgedByItself) {
  User u(d);
  u.type("9");
  u.commit(C::txtD, "1-2");  // one commit, three characters
  EXPECT_BOX(u, kFwhmNotNumber, false);
  EXPECT_EQ(u.text(C::txtD), "2");
  u.typeInto(C::txt2X, "31.8-2");
  EXPECT_BOX(u, kTwoThetaNotNumber, false);
  EXPECT_EQ(u.text(C::txt2X), "2");
  u.replace(C::txtD, "0..25 ");
  EXPECT_NO_BOX(u);
  EXPECT_EQ(u.text(C::txtD), "0..25 ");
}

SCENARIO(boxesWithoutAFilterTakeAnyCharacter) {
  User u(d);
  calculate(u, "0.2", "30");
  u.choose(kOther);
  u.type("ab-,e");
  EXPECT_EQ(u.text(C::txtWaveLengh), "ab-,e");
  u.clear(C::txtResult);
  u.type("-e,");
  EXPECT_EQ(u.text(C::txtResult), "-e,");
  u.replace(C::combWL, "-e,");
  EXPECT_EQ(u.text(C::combWL), "-e,");
  EXPECT_NO_BOX(u);
}

SCENARIO(emptyInputIsRefusedWithOneCriticalBox) {
  User u(d);
  u.click(C::cmdCalculation);  // both empty: one box
  EXPECT_BOX(u, kEmptyInput, true);
  EXPECT_EQ(u.focus(), C::txtD);
  EXPECT_FALSE(u.enabled(C::txtResult));
  struct Row {
    const char *beta, *twoTheta;
  };
  for (const Row& r : {Row{"", "30"}, Row{"0.2", ""}, Row{"", ""}}) {
    SCOPED_TRACE(std::string("\"") + r.beta + "\" \"" + r.twoTheta + "\"");
    calculate(u, "0.2", "30");
    EXPECT_TRUE(u.enabled(C::txtResult));
    calculate(u, r.beta, r.twoTheta);
    EXPECT_BOX(u, kEmptyInput, true);
    EXPECT_EQ(u.focus(), C::txtD);
    EXPECT_FALSE(u.enabled(C::txtResult));
    EXPECT_EQ(u.text(C::txtResult), "40.6646921851893");  // greyed, still shown
    EXPECT_EQ(u.text(C::txtD), r.beta);
    EXPECT_EQ(u.text(C::txt2X), r.twoTheta);
  }
  calculate(u, " ", "30");  // a blank is not empty: it reads as 0
  EXPECT_BOX(u, kDivisionByZero, true);
}

SCENARIO(arithmeticErrorsAreReportedAndTheWindowWorksOn) {
  struct Row {
    const char *beta, *twoTheta;
    bool pasted;  // 2θ pasted: the filter would refuse "e"
    int anode;
    const char* lambda;
    std::string_view message;
  };
  const Row rows[] = {
      {"0", "30", false, 0, "0.154056", kDivisionByZero},
      {" ", "30", false, 0, "0.154056", kDivisionByZero},
      {".", "30", false, 0, "0.154056", kDivisionByZero},
      {"0", "30", false, kOther, "", kInvalid},         // 0 / 0
      {"0.2", "1e39", true, 0, "0.154056", kInvalid},   // 2θ beyond single precision
      {"0.2", "30", false, kOther, "1e39", kOverflow},  // λ beyond single precision
  };
  User u(d);
  calculate(u, "0.2", "30");
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(r.beta) + " " + r.twoTheta + " " + r.lambda);
    u.choose(r.anode);
    if (r.anode == kOther) u.type(r.lambda);
    u.replace(C::txtD, r.beta);
    u.clear(C::txt2X);
    r.pasted ? u.paste(C::txt2X, r.twoTheta) : u.type(r.twoTheta);
    u.click(C::cmdCalculation);
    EXPECT_BOX(u, r.message, true);
    EXPECT_TRUE(u.now().alive);
    EXPECT_EQ(u.text(C::txtResult), "40.6646921851893");
    EXPECT_TRUE(u.enabled(C::txtResult));
    EXPECT_EQ(u.text(C::txtD), r.beta);
    EXPECT_EQ(u.text(C::txt2X), r.twoTheta);
    EXPECT_EQ(u.text(C::txtWaveLengh), r.lambda);
  }
  u.choose(0);
  calculate(u, "0.2", "30");
  EXPECT_NO_BOX(u);
  EXPECT_EQ(u.text(C::txtResult), "40.6646921851893");
}

SCENARIO(anodesSetAndLockTheWavelength) {
  const char* names[] = {"Cu", "Cu(Ave)", "Cr", "Fe", "Co"};
  const char* wavelengths[] = {"0.154056", "0.154184", "0.228970", "0.193604", "0.178897"};
  User u(d);
  for (bool byMouse : {true, false}) {
    SCOPED_TRACE(byMouse ? "by mouse" : "by keyboard");
    for (int i : {1, 2, 3, 4, 0, 0}) {  // the last repeats the one shown
      u.choose(i, byMouse);
      EXPECT_EQ(u.text(C::combWL), names[i]);
      EXPECT_EQ(u.listIndex(), i);
      EXPECT_EQ(u.text(C::txtWaveLengh), wavelengths[i]);
      EXPECT_FALSE(u.enabled(C::txtWaveLengh));
    }
    for (int round = 0; round < 2; ++round) {  // "其他" empties the box each time
      u.choose(kOther, byMouse);
      EXPECT_EQ(u.text(C::combWL), "其他");
      EXPECT_TRUE(u.enabled(C::txtWaveLengh));
      EXPECT_EQ(u.focus(), C::txtWaveLengh);
      EXPECT_EQ(u.text(C::txtWaveLengh), "");
      u.type("0.228970");
      EXPECT_EQ(u.text(C::txtWaveLengh), "0.228970");
    }
    calculate(u, "1", "60");
    EXPECT_EQ(u.text(C::txtResult), "13.4821954151068");
    u.choose(0, byMouse);  // replaces the typed wavelength; the result stays
    EXPECT_EQ(u.text(C::txtWaveLengh), "0.154056");
    EXPECT_FALSE(u.enabled(C::txtWaveLengh));
    EXPECT_EQ(u.text(C::txtResult), "13.4821954151068");
  }
  EXPECT_NO_BOX(u);
}

SCENARIO(arrowKeysInTheClosedListChooseTheNeighbouringEntry) {
  User u(d);
  for (Key first : {Key::Up, Key::Down}) {  // from no entry chosen, either goes to the first
    u.click(C::cmdReCalculation);
    u.press(Key::Tab, 2);
    EXPECT_EQ(u.focus(), C::combWL);
    EXPECT_EQ(u.listIndex(), -1);
    u.press(first);
    EXPECT_EQ(u.listIndex(), 0);
    EXPECT_EQ(u.text(C::combWL), "Cu");
  }
  u.press(Key::Up);  // at the first entry the list stays
  EXPECT_EQ(u.listIndex(), 0);
  u.press(Key::Down);
  EXPECT_EQ(u.text(C::combWL), "Cu(Ave)");
  EXPECT_EQ(u.text(C::txtWaveLengh), "0.154184");
  u.choose(2, false);  // opened with Alt+Down, an arrow, Enter
  EXPECT_EQ(u.text(C::combWL), "Cr");
  EXPECT_EQ(u.text(C::txtWaveLengh), "0.228970");
}

SCENARIO(typingAnAnodeNameIntoTheListFieldChoosesNothing) {
  User u(d);
  u.choose(kOther);
  u.type("0.3");
  for (Key end : {Key::Enter, Key::Tab}) {
    u.replace(C::combWL, "Fe");
    u.press(end);  // ending the edit is no choice either
    EXPECT_EQ(u.text(C::combWL), "Fe");
    EXPECT_EQ(u.text(C::txtWaveLengh), "0.3");
    EXPECT_TRUE(u.enabled(C::txtWaveLengh));
  }
  EXPECT_NO_BOX(u);
}

SCENARIO(resetRestoresTheStartButLeavesTheWavelengthBoxFree) {
  User u(d);
  u.choose(kOther);
  u.type("0.3");
  calculate(u, "0.2", "30");
  EXPECT_EQ(u.text(C::txtResult), "79.1881414558997");
  u.click(C::cmdReCalculation);
  EXPECT_NO_BOX(u);
  for (const BoxAtStart& b : kStart) EXPECT_EQ(u.text(b.box), b.text) << ui::nameOf(b.box);
  EXPECT_FALSE(u.enabled(C::txtResult));
  EXPECT_TRUE(u.enabled(C::txtWaveLengh));  // not locked again
  EXPECT_EQ(u.listIndex(), -1);
  EXPECT_EQ(u.focus(), C::txtD);
  u.click(C::txt2X);
  u.click(C::cmdReCalculation);  // nothing to clear: only the focus moves
  EXPECT_EQ(u.focus(), C::txtD);
  EXPECT_EQ(u.text(C::txtWaveLengh), "0.154056");
}

SCENARIO(tabVisitsTheEnabledControlsInOrderAndWraps) {
  auto round = [](User& u, std::vector<C> order) {
    for (C c : order) {
      u.press(Key::Tab);
      EXPECT_EQ(u.focus(), c) << "expected " << ui::nameOf(c);
    }
  };
  User u(d);
  round(u, {C::txt2X, C::combWL, C::cmdCalculation, C::cmdReCalculation, C::cmdEnd, C::txtD});
  u.press(Key::Backtab);
  EXPECT_EQ(u.focus(), C::cmdEnd);
  calculate(u, "0.2", "30");  // enables txtResult
  u.choose(kOther);           // enables txtWaveLengh
  u.click(C::txtD);
  round(u, {C::txt2X, C::combWL, C::txtResult, C::txtWaveLengh, C::cmdCalculation,
            C::cmdReCalculation, C::cmdEnd, C::txtD});
}

SCENARIO(enterAndEscapePressNoButtonSpaceDoes) {
  User u(d);
  u.type("0.2");
  u.press(Key::Tab);
  u.type("30");
  for (int tabs : {0, 1, 1, 1}) {  // from txt2X, combWL, cmdCalculation, cmdReCalculation
    u.press(Key::Tab, tabs);
    u.press(Key::Enter);
    u.press(Key::Escape);
    EXPECT_NO_BOX(u);
    EXPECT_EQ(u.text(C::txtResult), "");
    EXPECT_EQ(u.text(C::txt2X), "30");
  }
  u.press(Key::Tab);
  EXPECT_EQ(u.focus(), C::cmdEnd);
  u.press(Key::Enter);
  u.press(Key::Escape);
  EXPECT_TRUE(u.now().alive);
  u.press(Key::Tab, 4);  // round to cmdCalculation
  EXPECT_EQ(u.focus(), C::cmdCalculation);
  u.press(Key::Space);  // the focused button's own key presses it
  EXPECT_EQ(u.text(C::txtResult), "40.6646921851893");
}

SCENARIO(boxesTakeNoMoreTypedCharactersThanTheirMaximum) {
  User u(d);
  u.type("123456789");
  EXPECT_EQ(u.text(C::txtD), "12345678");
  u.typeInto(C::txt2X, "987654321");
  EXPECT_EQ(u.text(C::txt2X), "98765432");
  u.choose(kOther);
  u.type("0.1234567");
  EXPECT_EQ(u.text(C::txtWaveLengh), "0.123456");
  u.click(C::cmdCalculation);
  u.replace(C::txtResult, "12345678901234567");
  EXPECT_EQ(u.text(C::txtResult), "1234567890123456");
}

SCENARIO(aResultLongerThanTheBoxIsShownWhole) {
  User u(d);
  calculate(u, "100", "30");
  EXPECT_EQ(u.text(C::txtResult), "0.0813293855822808");  // 18 characters
  d.screenshot("frmXRD-long-result.png");
  u.click(C::txtResult);
  u.press(Key::End);
  u.type("9");  // the box is full
  EXPECT_EQ(u.text(C::txtResult), "0.0813293855822808");
  u.press(Key::Backspace);
  u.type("9");
  EXPECT_EQ(u.text(C::txtResult), "0.081329385582280");
}

SCENARIO(cmdEndOrClosingTheWindowEndsTheProgram) {
  for (const Action& end : {clicking(C::cmdEnd), closing()}) {
    SCOPED_TRACE(describe(end));
    User u(d);
    u.type("1");
    EXPECT_TRUE(u.ends(end));
  }
}

class ScenarioTest : public testing::Test {
 public:
  ScenarioTest(void (*run)(Driver&), std::function<Driver&()> driver)
      : run_(run), driver_(std::move(driver)) {}
  void TestBody() override { run_(driver_()); }

 private:
  void (*run_)(Driver&);
  std::function<Driver&()> driver_;
};

}  // namespace

void registerScenarios(const std::string& suite, std::function<Driver&()> driver) {
  for (const Scenario& s : scenarios()) {
    std::string name = s.name;
    name[0] = static_cast<char>(name[0] - 'a' + 'A');
    testing::RegisterTest(
        suite.c_str(), name.c_str(), nullptr, nullptr, __FILE__, __LINE__,
        [run = s.run, driver]() -> testing::Test* { return new ScenarioTest(run, driver); });
  }
}

}  // namespace window
