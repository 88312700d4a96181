#include "ui/handlers.h"

#include <gtest/gtest.h>

#include "fake_form.h"

namespace ui {
namespace {

using test::FakeForm;
constexpr auto kCritical = MessageIcon::Critical;

struct Loaded : FakeForm {
  Loaded() { frmXRD_Load(*this); }
};

TEST(Load, StartsWithEmptyInputsAndLockedBoxes) {
  Loaded f;
  EXPECT_EQ(f.text(Control::txtD), "");
  EXPECT_EQ(f.text(Control::txt2X), "");
  EXPECT_EQ(f.text(Control::txtResult), "");
  EXPECT_EQ(f.text(Control::txtWaveLengh), "0.154056");
  EXPECT_EQ(f.text(Control::combWL), "Cu");
  EXPECT_FALSE(f.enabled(Control::txtResult));
  EXPECT_FALSE(f.enabled(Control::txtWaveLengh));
  EXPECT_TRUE(f.enabled(Control::txtD));
}

struct Calculation {
  const char *beta, *twoTheta, *lambda, *result;
};
class CalculationTest : public testing::TestWithParam<Calculation> {};

TEST_P(CalculationTest, WritesTheSizeIntoTheEnabledResultBox) {
  const auto& c = GetParam();
  Loaded f;
  f.setText(Control::txtD, c.beta);
  f.setText(Control::txt2X, c.twoTheta);
  f.setText(Control::txtWaveLengh, c.lambda);
  cmdCalculation_Click(f);
  EXPECT_EQ(f.text(Control::txtResult), c.result);
  EXPECT_TRUE(f.enabled(Control::txtResult));
  EXPECT_TRUE(f.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Values, CalculationTest,
                         testing::Values(Calculation{"0.2", "30", "0.154056", "40.6646921851893"},
                                         Calculation{"0.2", "0", "0.154056", "39.2790765322029"},
                                         Calculation{"1", "60", "0.228970", "13.4821954151068"},
                                         Calculation{"0.2", "180", "0.154056", "520267143.415719"},
                                         Calculation{"0.2", "360", "0.154056", "-39.2790765322033"},
                                         Calculation{"0.2", "30", "", "0"},     // empty λ
                                         Calculation{"0.2", "30", "abc", "0"},  // no number
                                         Calculation{" 0. 2", "3 0", "0.154056",
                                                     "40.6646921851893"}));  // blanks

struct EmptyInput {
  const char *beta, *twoTheta;
};
class EmptyInputTest : public testing::TestWithParam<EmptyInput> {};

TEST_P(EmptyInputTest, ShowsOneMessageAndDisablesTheResultKeepingItsText) {
  Loaded f;
  f.setText(Control::txtResult, "40.6646921851893");
  f.setEnabled(Control::txtResult, true);
  f.setText(Control::txtD, GetParam().beta);
  f.setText(Control::txt2X, GetParam().twoTheta);
  f.focus = Control::cmdCalculation;
  cmdCalculation_Click(f);
  ASSERT_EQ(f.boxes.size(), 1u);
  EXPECT_EQ(f.boxes[0].prompt, "半峰宽或者2θ角不能为零，请重新输入！");
  EXPECT_EQ(f.boxes[0].title, "Sorbel");
  EXPECT_EQ(f.boxes[0].icon, kCritical);
  EXPECT_EQ(f.focus, Control::txtD);
  EXPECT_FALSE(f.enabled(Control::txtResult));
  EXPECT_EQ(f.text(Control::txtResult), "40.6646921851893");
  EXPECT_EQ(f.text(Control::txtD), GetParam().beta);
  EXPECT_EQ(f.text(Control::txt2X), GetParam().twoTheta);
}

INSTANTIATE_TEST_SUITE_P(Boxes, EmptyInputTest,
                         testing::Values(EmptyInput{"", "30"}, EmptyInput{"0.2", ""},
                                         EmptyInput{"", ""}));

struct Failure {
  const char *beta, *twoTheta, *lambda;
  std::string_view message;
};
class ArithmeticErrorTest : public testing::TestWithParam<Failure> {};

TEST_P(ArithmeticErrorTest, IsShownAndLeavesEveryBoxAsItWas) {
  const auto& c = GetParam();
  Loaded f;
  f.setText(Control::txtResult, "12.5");
  f.setText(Control::txtD, c.beta);
  f.setText(Control::txt2X, c.twoTheta);
  f.setText(Control::txtWaveLengh, c.lambda);
  cmdCalculation_Click(f);
  ASSERT_EQ(f.boxes.size(), 1u);
  EXPECT_EQ(f.boxes[0].prompt, c.message);
  EXPECT_EQ(f.boxes[0].title, "Sorbel");
  EXPECT_EQ(f.boxes[0].icon, kCritical);
  EXPECT_EQ(f.text(Control::txtResult), "12.5");
  EXPECT_TRUE(f.enabled(Control::txtResult));
  EXPECT_EQ(f.text(Control::txtD), c.beta);
  EXPECT_EQ(f.text(Control::txtWaveLengh), c.lambda);
}

using Kind = calc::ArithmeticError::Kind;
INSTANTIATE_TEST_SUITE_P(
    Kinds, ArithmeticErrorTest,
    testing::Values(
        Failure{"0", "30", "0.154056", arithmeticErrorMessage(Kind::DivisionByZero)},
        Failure{" ", "30", "0.154056", arithmeticErrorMessage(Kind::DivisionByZero)},
        Failure{".", "30", "0.154056", arithmeticErrorMessage(Kind::DivisionByZero)},
        Failure{"0", "30", "", arithmeticErrorMessage(Kind::InvalidOperation)},  // 0 ÷ 0
        Failure{"0.2", "1e39", "0.154056", arithmeticErrorMessage(Kind::InvalidOperation)},
        Failure{"0.2", "30", "1e39", arithmeticErrorMessage(Kind::Overflow)}));  // λ = inf

TEST(ArithmeticError, MessagesNameTheKind) {
  EXPECT_NE(arithmeticErrorMessage(Kind::DivisionByZero).find("除数为零"), std::string_view::npos);
  EXPECT_NE(arithmeticErrorMessage(Kind::Overflow).find("溢出"), std::string_view::npos);
  EXPECT_NE(arithmeticErrorMessage(Kind::InvalidOperation).find("无效的运算"),
            std::string_view::npos);
}

TEST(ArithmeticError, TheWindowWorksOnAfterIt) {
  Loaded f;
  f.setText(Control::txtD, "0");
  f.setText(Control::txt2X, "30");
  cmdCalculation_Click(f);
  f.setText(Control::txtD, "0.2");
  cmdCalculation_Click(f);
  EXPECT_EQ(f.text(Control::txtResult), "40.6646921851893");
}

struct Choice {
  const char* entry;
  const char* wavelength;
  bool enabled;
};
class AnodeTest : public testing::TestWithParam<Choice> {};

TEST_P(AnodeTest, WritesTheWavelengthAndLocksOrFreesTheBox) {
  Loaded f;
  f.setText(Control::txtResult, "40.6646921851893");
  f.setText(Control::txtWaveLengh, "0.3");
  f.setEnabled(Control::txtWaveLengh, true);
  f.chosen = GetParam().entry;
  combWL_Click(f);
  EXPECT_EQ(f.text(Control::txtWaveLengh), GetParam().wavelength);
  EXPECT_EQ(f.enabled(Control::txtWaveLengh), GetParam().enabled);
  EXPECT_EQ(f.text(Control::txtResult), "40.6646921851893");  // not recomputed
}

INSTANTIATE_TEST_SUITE_P(Entries, AnodeTest,
                         testing::Values(Choice{"Cu", "0.154056", false},
                                         Choice{"Cu(Ave)", "0.154184", false},
                                         Choice{"Cr", "0.228970", false},
                                         Choice{"Fe", "0.193604", false},
                                         Choice{"Co", "0.178897", false}, Choice{"其他", "", true},
                                         Choice{"cu", "0.3", true},  // exact case
                                         Choice{"", "0.3", true}));

TEST(Anode, OtherGivesTheWavelengthBoxTheFocus) {
  Loaded f;
  f.chosen = "其他";
  combWL_Click(f);
  EXPECT_EQ(f.focus, Control::txtWaveLengh);
}

struct Key {
  Control box;
  std::int16_t code;
  bool accepted;
};
class KeyPressTest : public testing::TestWithParam<Key> {};

TEST_P(KeyPressTest, RefusedKeysShowTheBoxMessageAndEmptyIt) {
  const auto& k = GetParam();
  Loaded f;
  f.setText(k.box, "1.5");
  f.setText(Control::txtResult, "7");
  std::int16_t code = k.code;
  keyPress(f, k.box, code);
  EXPECT_EQ(code, k.accepted ? k.code : 0);
  EXPECT_EQ(f.text(k.box), k.accepted ? "1.5" : "");
  EXPECT_EQ(f.text(Control::txtResult), "7");
  ASSERT_EQ(f.boxes.size(), k.accepted ? 0u : 1u);
  if (k.accepted) return;
  EXPECT_EQ(f.boxes[0].prompt, k.box == Control::txtD ? "半峰宽只能为数值，请重新输入！！！"
                                                      : "2θ角只能为数值，请重新输入！！！");
  EXPECT_EQ(f.boxes[0].icon, MessageIcon::None);
  EXPECT_EQ(f.boxes[0].title, "");  // the application's name
}

constexpr std::int16_t kZhong = -10544;  // 中 under code page 936
INSTANTIATE_TEST_SUITE_P(
    Codes, KeyPressTest,
    testing::Values(Key{Control::txtD, '-', false}, Key{Control::txt2X, '-', false},
                    Key{Control::txtD, 'e', false}, Key{Control::txt2X, ',', false},
                    Key{Control::txtD, '+', false}, Key{Control::txtD, 8, true},
                    Key{Control::txt2X, 13, true}, Key{Control::txtD, ' ', true},
                    Key{Control::txtD, '.', true}, Key{Control::txt2X, '0', true},
                    Key{Control::txt2X, '9', true}, Key{Control::txtD, kZhong, true},
                    Key{Control::txt2X, kZhong, true}, Key{Control::txtD, 190, true},
                    Key{Control::txt2X, 190, false}));

TEST(KeyPress, OtherBoxesAreNotFiltered) {
  Loaded f;
  for (Control c : {Control::txtWaveLengh, Control::txtResult, Control::combWL}) {
    std::int16_t code = '-';
    keyPress(f, c, code);
    EXPECT_EQ(code, '-');
  }
  EXPECT_TRUE(f.boxes.empty());
}

TEST(KeyPress, TypingAfterARefusalStartsAfresh) {
  Loaded f;
  f.type(Control::txt2X, "31.8-2");
  EXPECT_EQ(f.text(Control::txt2X), "2");
  f.type(Control::txtD, "0..25 ");
  EXPECT_EQ(f.text(Control::txtD), "0..25 ");
}

TEST(Reset, RestoresTheStartKeepingTheWavelengthBoxFree) {
  Loaded f;
  f.chosen = "其他";
  combWL_Click(f);
  f.type(Control::txtWaveLengh, "0.3");
  f.setText(Control::combWL, "其他");
  f.setText(Control::txtD, "0.2");
  f.setText(Control::txt2X, "30");
  cmdCalculation_Click(f);
  f.focus = Control::cmdReCalculation;
  cmdReCalculation_Click(f);
  EXPECT_EQ(f.text(Control::txtD), "");
  EXPECT_EQ(f.text(Control::txt2X), "");
  EXPECT_EQ(f.text(Control::txtResult), "");
  EXPECT_EQ(f.text(Control::txtWaveLengh), "0.154056");
  EXPECT_EQ(f.text(Control::combWL), "Cu");
  EXPECT_FALSE(f.enabled(Control::txtResult));
  EXPECT_TRUE(f.enabled(Control::txtWaveLengh));
  EXPECT_EQ(f.focus, Control::txtD);
  EXPECT_TRUE(f.boxes.empty());
}

TEST(End, EndsTheProgram) {
  Loaded f;
  click(f, Control::cmdEnd);
  EXPECT_TRUE(f.ended);
}

}  // namespace
}  // namespace ui
