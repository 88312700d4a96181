// The handlers at the level of their own protocol: character codes, the
// cancelled keystroke, the chosen list index. The window's behaviour as a
// whole is in tests/window/scenarios.cpp.
#include "ui/handlers.h"

#include <gtest/gtest.h>

#include "calc/wavelength_table.h"
#include "tests/window/fake_form.h"
#include "ui/events.h"

namespace ui {
namespace {

using window::FakeForm;

struct Loaded : FakeForm {
  Loaded() { loaded(*this); }
};

struct Key {
  Control box;
  std::int16_t code;
  bool accepted;
};
class KeyPressTest : public testing::TestWithParam<Key> {};

TEST_P(KeyPressTest, RefusedCodesAreCancelledAndEmptyTheBoxAfterItsMessage) {
  const auto& k = GetParam();
  Loaded f;
  f.setText(k.box, "1.5");
  f.setText(Control::txtResult, "7");
  std::int16_t code = k.code;
  (k.box == Control::txtD ? txtD_KeyPress : txt2X_KeyPress)(f, code);
  EXPECT_EQ(code, k.accepted ? k.code : 0);
  EXPECT_EQ(f.text(k.box), k.accepted ? "1.5" : "");
  EXPECT_EQ(f.text(Control::txtResult), "7");
  const auto boxes = f.takeBoxes();
  ASSERT_EQ(boxes.size(), k.accepted ? 0u : 1u);
  if (k.accepted) return;
  EXPECT_EQ(boxes[0].text, k.box == Control::txtD ? "半峰宽只能为数值，请重新输入！！！"
                                                  : "2θ角只能为数值，请重新输入！！！");
  EXPECT_FALSE(boxes[0].criticalIcon);
  EXPECT_EQ(boxes[0].title, "Sorbel");  // the application's name
}

// Which codes each box takes is the rule's (calc/key_filter_test.cpp): here,
// that each handler applies its own box's rule and message.
constexpr std::int16_t kZhong = -10544;  // 中 under code page 936
INSTANTIATE_TEST_SUITE_P(
    Codes, KeyPressTest,
    testing::Values(Key{Control::txtD, '-', false}, Key{Control::txt2X, ',', false},
                    Key{Control::txtD, kZhong, true}, Key{Control::txt2X, '9', true},
                    Key{Control::txtD, 190, true}, Key{Control::txt2X, 190, false}));

// A typed character reaches the handlers as its code page 936 code.
TEST(Typed, CharactersAreJudgedByTheirCodePageCode) {
  struct Row {
    Control box;
    char32_t ch;
    Keystroke verdict;
  };
  const Row rows[] = {
      {Control::txtD, U'中', Keystroke::Insert},
      {Control::txt2X, U'７', Keystroke::Insert},
      {Control::txtD, U'¾', Keystroke::Swallow},  // not in the code page: "?"
      {Control::txtD, U'\U0001F600', Keystroke::Swallow},
      {Control::txtWaveLengh, U'-', Keystroke::Insert},  // no filter
      {Control::txtResult, U'e', Keystroke::Insert},
      {Control::combWL, U',', Keystroke::Insert},
  };
  for (const Row& r : rows) {
    Loaded f;
    EXPECT_EQ(typed(f, r.box, r.ch), r.verdict)
        << nameOf(r.box) << " U+" << std::hex << static_cast<std::uint32_t>(r.ch);
    EXPECT_EQ(f.takeBoxes().size(), r.verdict == Keystroke::Swallow ? 1u : 0u);
  }
}

TEST(Typed, ACommitKeepsWhatFollowsTheLastRefusedCharacter) {
  Loaded f;
  EXPECT_EQ(committed(f, Control::txtD, U"12").insert, U"12");
  const Committed c = committed(f, Control::txtD, U"1-2e34");
  EXPECT_EQ(c.insert, U"34");
  EXPECT_TRUE(c.emptied);
  EXPECT_EQ(f.takeBoxes().size(), 2u);  // one per refused character
}

// Where the language writes decimals with a comma, the boxes that take a
// number take the keypad's "," as "."; elsewhere "," is refused as before.
TEST(Typed, ACommaLanguagesCommaIsThePointOfTheBoxesThatTakeANumber) {
  for (Control box : {Control::txtD, Control::txt2X, Control::txtWaveLengh})
    EXPECT_EQ(asTyped(box, U',', true), U'.') << nameOf(box);
  EXPECT_EQ(asTyped(Control::combWL, U',', true), U',');
  EXPECT_EQ(asTyped(Control::txtD, U',', false), U',');
  EXPECT_EQ(asTyped(Control::txtD, U'，', true), U'，');  // a full-width comma is no keypad's
  Loaded f;
  EXPECT_EQ(committed(f, Control::txt2X, U"0,5", true).insert, U"0.5");
  EXPECT_TRUE(f.takeBoxes().empty());
}

TEST(Anode, AnIndexOutsideTheListChangesNothing) {
  for (int index : {-1, 6, 1000}) {
    Loaded f;
    combWL_Click(f, index);
    EXPECT_EQ(f.text(Control::txtWaveLengh), "0.154056");
    EXPECT_FALSE(f.enabled(Control::txtWaveLengh));
  }
  EXPECT_EQ(calc::findAnode("cu"), nullptr);  // exact case
  EXPECT_EQ(calc::findAnode(""), nullptr);
  EXPECT_EQ(calc::findAnode("Cu(Ave)"), &calc::WavelengthTable[1]);
}

TEST(ArithmeticError, MessagesNameTheKind) {
  using Kind = calc::ArithmeticError::Kind;
  EXPECT_NE(arithmeticErrorMessage(Kind::DivisionByZero).find("除数为零"), std::string_view::npos);
  EXPECT_NE(arithmeticErrorMessage(Kind::Overflow).find("溢出"), std::string_view::npos);
  EXPECT_NE(arithmeticErrorMessage(Kind::InvalidOperation).find("无效的运算"),
            std::string_view::npos);
}

}  // namespace
}  // namespace ui
