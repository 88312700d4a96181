#include "calc/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace calc {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kMinSubnormal = std::numeric_limits<double>::denorm_min();

struct Parse {
  const char* text;
  double value;
};

class ParseTest : public testing::TestWithParam<Parse> {};

TEST_P(ParseTest, ReadsTheLeadingNumber) {
  const double v = NumberText::parse(GetParam().text);
  EXPECT_EQ(v, GetParam().value) << '"' << GetParam().text << '"';
  EXPECT_EQ(std::signbit(v), std::signbit(GetParam().value)) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ParseTest,
    testing::Values(
        // Plain numbers, correctly rounded.
        Parse{"0.154056", 0.154056}, Parse{"31.8", 31.8}, Parse{"-12.5", -12.5}, Parse{"+7", 7},
        Parse{".5", 0.5}, Parse{"5.", 5}, Parse{"007", 7}, Parse{"1e3", 1000}, Parse{"1E-5", 1e-5},
        Parse{"2.5e+2", 250}, Parse{"0.1", 0.1},
        Parse{"9007199254740993", 9007199254740992.0},  // tie to even
        Parse{"9007199254740993.0000000000000000001", 9007199254740994.0},
        // Blanks, tabs and line feeds are ignored wherever they stand.
        Parse{" 1 2", 12}, Parse{"\t0.\n25", 0.25}, Parse{"1 e 3", 1000}, Parse{"- 4", -4},
        // Nothing else is a blank.
        Parse{"\r5", 0}, Parse{"\f5", 0}, Parse{"\v5", 0},
        Parse{"\xc2\xa0"
              "5",
              0},
        // The first character that does not fit ends the number.
        Parse{"0.2.5", 0.2}, Parse{"12abc", 12}, Parse{"1,5", 1}, Parse{"3-4", 3}, Parse{"1e", 1},
        Parse{"1e+", 1}, Parse{"1e-x", 1}, Parse{"1ee2", 1}, Parse{"1d2", 1}, Parse{"1.5e2.7", 150},
        Parse{"++1", 0},
        // Full-width digits and full stops are the digits and the point they
        // show; no other full-width character is.
        Parse{"３０", 30}, Parse{"０．２", 0.2}, Parse{"０.２", 0.2}, Parse{"0．2．5", 0.2},
        Parse{"１２ａ", 12}, Parse{"－５", 0}, Parse{"１Ｅ３", 1}, Parse{"&H１Ａ", 1},
        Parse{"１ ２", 12}, Parse{"。5", 0}, Parse{"\xEF\xBC", 0}, Parse{"1\xEF\xBC\x90", 10},
        // No number reads as 0.
        Parse{"", 0}, Parse{" ", 0}, Parse{".", 0}, Parse{"-", 0}, Parse{"e5", 0}, Parse{"abc", 0},
        Parse{"-.e1", 0}, Parse{"-0", -0.0}, Parse{"-0.000", -0.0},
        // Hexadecimal and octal integers.
        Parse{"&H1F", 31}, Parse{"&h1f", 31}, Parse{"&HFFFF", 65535}, Parse{"&H 1 0", 16},
        Parse{"&O17", 15}, Parse{"&o777", 511}, Parse{"&O8", 0}, Parse{"&H", 0}, Parse{"&Hg", 0},
        Parse{"&X1", 0}, Parse{"&", 0}, Parse{"-&H1", 0}, Parse{"&H1.5", 1},
        Parse{"&H20000000000001", 9007199254740992.0},  // 2^53 + 1, tie to even
        Parse{"&H20000000000003", 9007199254740996.0},
        Parse{"&O400000000000000001", 9007199254740992.0},
        // Beyond the double range, and below it.
        Parse{"1e309", kInf}, Parse{"-1e309", -kInf}, Parse{"1e99999999999999999999", kInf},
        Parse{"1.7976931348623157e308", 1.7976931348623157e308},
        Parse{"1.7976931348623158e308", 1.7976931348623157e308},
        Parse{"1.7976931348623159e308", kInf}, Parse{"1e-400", 0}, Parse{"-1e-400", -0.0},
        Parse{"1e-99999999999999999999", 0}, Parse{"4.9406564584124654e-324", kMinSubnormal},
        Parse{"2.4703282292062328e-324", kMinSubnormal},  // just above half: rounds up
        Parse{"2.4703282292062327e-324", 0}, Parse{"1e-310", 1e-310},
        Parse{"0.00000000000000000000000000001e29", 1}));

TEST(Parse, LongTextsRoundCorrectly) {
  // 2^53 + 1 followed by a thousand zeros and a 1: above the tie, so it
  // rounds up, which only a reading of every digit can tell.
  const std::string above = "9007199254740993" + std::string(1000, '0') + "1e-1001";
  EXPECT_EQ(NumberText::parse(above), 9007199254740994.0);
  const std::string tie = "9007199254740993" + std::string(1000, '0') + "e-1000";
  EXPECT_EQ(NumberText::parse(tie), 9007199254740992.0);
  EXPECT_EQ(NumberText::parse("0." + std::string(5000, '0') + "1e5001"), 1);
  EXPECT_EQ(NumberText::parse(std::string(100000, '9')), kInf);
  EXPECT_EQ(NumberText::parse(std::string(100000, ' ') + "7"), 7);
  EXPECT_EQ(NumberText::parse("&H" + std::string(300, 'F')), kInf);
  EXPECT_EQ(NumberText::parse("&H" + std::string(10000, '0') + "1"), 1);
}

TEST(Parse, ArbitraryBytesAreSafe) {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
  EXPECT_EQ(NumberText::parse(bytes), 0);  // starts with NUL: no number
  EXPECT_EQ(NumberText::parse(std::string_view("5\0"
                                               "5",
                                               3)),
            5);
}

struct Format {
  double value;
  const char* text;
};
class FormatTest : public testing::TestWithParam<Format> {};

TEST_P(FormatTest, WritesFifteenSignificantDigits) {
  EXPECT_EQ(NumberText::format(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatTest,
    testing::Values(Format{0, "0"}, Format{-0.0, "0"}, Format{1, "1"}, Format{-2.5, "-2.5"},
                    Format{40.66469218518933, "40.6646921851893"}, Format{0.1, "0.1"},
                    Format{1.0 / 3, "0.333333333333333"}, Format{2.0 / 3, "0.666666666666667"},
                    Format{123456789012345.0, "123456789012345"},
                    Format{999999999999999.4, "999999999999999"},
                    Format{999999999999999.9, "1E+15"}, Format{1e15, "1E+15"},
                    Format{1.5e300, "1.5E+300"}, Format{0.0001, "0.0001"},
                    Format{0.00012345, "0.00012345"}, Format{1.23e-5, "1.23E-05"},
                    Format{-1.23e-5, "-1.23E-05"}, Format{5e-324, "4.94065645841247E-324"},
                    Format{1.7976931348623157e308, "1.79769313486232E+308"},
                    Format{-1e-320, "-9.99988867182683E-321"}, Format{-kMinSubnormal / 4, "0"}));

TEST(Format, UsesTheGivenSeparator) {
  EXPECT_EQ(NumberText::format(40.66469218518933, ','), "40,6646921851893");
  EXPECT_EQ(NumberText::format(1.23e-5, ','), "1,23E-05");
}

TEST(Format, ReadsBackToTheSameFifteenDigits) {
  for (double v : {40.66469218518933, 1.0 / 7, 6.02214076e23, 1e-300, -520267143.415719}) {
    const std::string text = NumberText::format(v);
    EXPECT_LE(text.size(), 24u);
    EXPECT_EQ(NumberText::format(NumberText::parse(text)), text);
  }
}

}  // namespace
}  // namespace calc
