#include "calc/key_filter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

namespace calc {
namespace {

using Box = KeyFilter::Box;

struct Key {
  std::int16_t code;
  bool txt2X;  // accepted by the 2θ box
  bool txtD;   // accepted by the FWHM box
};

constexpr Key kKeys[] = {
    {-32768, true, true},                                        // lowest code
    {-10544, true, true},                                        // "中"
    {-1, true, true},     {0, true, true},     {8, true, true},  // Backspace
    {13, true, true},                                            // Enter
    {32, true, true},                                            // space
    {33, false, false},   {43, false, false},                    // "+"
    {44, false, false},                                          // ","
    {45, false, false},                                          // "-"
    {46, true, true},                                            // "."
    {47, false, false},                                          // "/"
    {48, true, true},                                            // "0"
    {53, true, true},     {57, true, true},                      // "9"
    {58, false, false},                                          // ":"
    {63, false, false},                         // "?", what an unencodable character becomes
    {69, false, false},                         // "E"
    {101, false, false},                        // "e"
    {127, false, false},  {128, false, false},  // "€"
    {189, false, false},  {190, false, true},  {191, false, false},
    {255, false, false},  {256, false, false}, {32767, false, false},  // highest code
};

TEST(KeyFilter, AcceptedCodesPerBox) {
  for (const Key& k : kKeys) {
    EXPECT_EQ(KeyFilter::accepts(Box::txt2X, k.code), k.txt2X) << "txt2X, code " << k.code;
    EXPECT_EQ(KeyFilter::accepts(Box::txtD, k.code), k.txtD) << "txtD, code " << k.code;
  }
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
