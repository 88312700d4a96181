#include "calc/key_filter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

namespace calc {
namespace {

using Box = KeyFilter::Box;

TEST(KeyFilter, AcceptedCodesPerBox) {
  // Both boxes take the digits, ".", a blank, the control codes (Backspace,
  // Enter) and every double-byte code ("中" is -10544), from the lowest on.
  const std::int16_t both[] = {-32768, -10544, -1, 0, '\b', '\r', ' ', '.', '0', '5', '9'};
  // Neither takes signs, letters, "?" (what an unencodable character becomes),
  // "€" (128), nor any other single byte, up to the highest code.
  const std::int16_t neither[] = {'!', '+', ',', '-', '/', ':', '?', 'E',
                                  'e', 127, 128, 189, 191, 255, 256, 32767};
  for (const Box box : {Box::txt2X, Box::txtD}) {
    const char* name = box == Box::txtD ? "txtD" : "txt2X";
    for (std::int16_t code : both)
      EXPECT_TRUE(KeyFilter::accepts(box, code)) << name << ' ' << code;
    for (std::int16_t code : neither)
      EXPECT_FALSE(KeyFilter::accepts(box, code)) << name << ' ' << code;
  }
  // 190 is the FWHM box's alone.
  EXPECT_FALSE(KeyFilter::accepts(Box::txt2X, 190));
  EXPECT_TRUE(KeyFilter::accepts(Box::txtD, 190));
}

TEST(KeyFilter, RejectionTexts) {
  EXPECT_EQ(KeyFilter::rejection(Box::txt2X), "2θ角只能为数值，请重新输入！！！");
  EXPECT_EQ(KeyFilter::rejection(Box::txtD), "半峰宽只能为数值，请重新输入！！！");
  // The punctuation is full-width: U+FF0C "，" and U+FF01 "！".
  for (const Box box : {Box::txt2X, Box::txtD}) {
    EXPECT_NE(KeyFilter::rejection(box).find("\xEF\xBC\x8C"), std::string_view::npos);
    EXPECT_TRUE(KeyFilter::rejection(box).ends_with("\xEF\xBC\x81\xEF\xBC\x81\xEF\xBC\x81"));
  }
}

// What a user types reaches the filter through the code page.
TEST(KeyFilter, TypedCharacters) {
  EXPECT_TRUE(KeyFilter::accepts(Box::txt2X, Cp936CharCode(U'中')));
  EXPECT_TRUE(KeyFilter::accepts(Box::txtD, Cp936CharCode(U'７')));  // full-width digit
  EXPECT_FALSE(KeyFilter::accepts(Box::txtD, Cp936CharCode(U'¾')));  // not in the code page
  EXPECT_FALSE(KeyFilter::accepts(Box::txtD, Cp936CharCode(U'²')));  // best fit "2" not taken
  EXPECT_FALSE(KeyFilter::accepts(Box::txt2X, Cp936CharCode(U'\U0001F600')));
}

}  // namespace
}  // namespace calc
