// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>

#include "Cases.h"
#include "platform/Text.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

String Bits(double d) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%016llx",
                static_cast<unsigned long long>(std::bit_cast<uint64_t>(d)));
  return text;
}

// ---- Str ----

struct StrCase {
  const char* name;
  double value;
  const char* text;
};

class StrTest : public testing::TestWithParam<StrCase> {};

TEST_P(StrTest, Writes) { EXPECT_EQ(Str(GetParam().value), GetParam().text); }

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, StrTest,
    testing::Values(StrCase{"Eight", 8, "8"}, StrCase{"MinusTwo", -2, "-2"},
                    StrCase{"Ten", 10, "10"}, StrCase{"Zero", 0, "0"},
                    StrCase{"NegativeZero", -0.0, "0"},
                    StrCase{"HundredThousand", 100000, "100000"},
                    StrCase{"FifteenDigitWhole", 123456789012345, "123456789012345"},
                    StrCase{"TenToFifteen", 1e15, "1e+15"},
                    StrCase{"SixteenDigitWhole", 1234567890123456, "1234567890123456"},
                    StrCase{"ProductOfEightDigitNumbers", 12345678.0 * 87654321.0,
                            "1082152022374638"},
                    StrCase{"BelowTenToFifteen", 1e15 - 1, "999999999999999"},
                    StrCase{"PastTenToFifteen", 1e15 + 1, "1000000000000001"},
                    StrCase{"TwoToFiftyThree", 9007199254740992.0, "9007199254740992"},
                    StrCase{"NegativePastTwoToFiftyThree", -9007199254740994.0,
                            "-9007199254740994"},
                    StrCase{"TenToSeventeen", 1e17, "1e+17"},
                    StrCase{"PastTenToSeventeen", 1e17 + 16, "100000000000000016"},
                    StrCase{"LargestTwentyDigitWhole", 99999999999999983616.0,
                            "99999999999999983616"},
                    StrCase{"TenToTwentyOne", 1e21, "1e+21"},
                    StrCase{"PastTenToTwentyOne", 1e21 + 131072, "1e+21"},
                    StrCase{"FractionRoundedToWhole", 1234567890123456.5, "1234567890123460"},
                    StrCase{"FractionRoundedToPowerOfTen", 1000000000000000.5, "1e+15"},
                    StrCase{"PointOnePlusPointTwo", 0.1 + 0.2, "0.3"},
                    StrCase{"OneThird", 1.0 / 3, "0.333333333333333"},
                    StrCase{"TwoThirdsRoundsUp", 2.0 / 3, "0.666666666666667"},
                    StrCase{"NegativeFraction", -2.5, "-2.5"},
                    StrCase{"RoundedToFifteenDigits", 123456789.123456789, "123456789.123457"},
                    StrCase{"RoundingCarriesIntoWhole", 9.9999999999999999, "10"},
                    StrCase{"TenThousandth", 0.0001, "0.0001"},
                    StrCase{"HundredThousandth", 0.00001, "1e-05"},
                    StrCase{"TenMillionth", 1e-07, "1e-07"}, StrCase{"Large", 1.5e20, "1.5e+20"},
                    StrCase{"ThreeDigitExponent", -1e100, "-1e+100"},
                    StrCase{"SmallestDenormal", std::numeric_limits<double>::denorm_min(),
                            "4.94065645841247e-324"},
                    StrCase{"LargestReadsBackFinite", DBL_MAX, "1.79769313486231e+308"},
                    StrCase{"NegativeLargest", -DBL_MAX, "-1.79769313486231e+308"},
                    StrCase{"Infinity", kInf, "Infinity"},
                    StrCase{"NegativeInfinity", -kInf, "-Infinity"}, StrCase{"NaN", kNaN, "NaN"}),
    ByName);
// clang-format on

// ---- Str, then Val, then Str again gives the same text ----

void ExpectRoundTrip(double d) {
  const String text = Str(d);
  EXPECT_EQ(Str(Val(text)), text) << "for the double " << Bits(d);
}

struct EdgeValue {
  const char* name;
  double value;
};

class RoundTripTest : public testing::TestWithParam<EdgeValue> {};

TEST_P(RoundTripTest, ReadsBackItsOwnText) { ExpectRoundTrip(GetParam().value); }

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Edges, RoundTripTest,
    testing::Values(EdgeValue{"SmallestDenormal", std::numeric_limits<double>::denorm_min()},
                    EdgeValue{"NegativeSmallestDenormal",
                              -std::numeric_limits<double>::denorm_min()},
                    EdgeValue{"LargestDenormal", std::nextafter(DBL_MIN, 0.0)},
                    EdgeValue{"SmallestNormal", DBL_MIN}, EdgeValue{"Largest", DBL_MAX},
                    EdgeValue{"NegativeLargest", -DBL_MAX},
                    EdgeValue{"BelowLargest", std::nextafter(DBL_MAX, 0.0)},
                    EdgeValue{"NegativeZero", -0.0}, EdgeValue{"Infinity", kInf},
                    EdgeValue{"NegativeInfinity", -kInf}, EdgeValue{"NaN", kNaN},
                    EdgeValue{"OneThird", 1.0 / 3}),
    ByName);
// clang-format on

TEST(RoundTrip, PowersOfTen) {
  for (int exponent = -324; exponent <= 308; ++exponent) {
    const double power = std::pow(10.0, exponent);
    ExpectRoundTrip(power);
    ExpectRoundTrip(-power);
    ExpectRoundTrip(std::nextafter(power, kInf));
  }
}

// Where whole numbers change from plain digits to the exponent form, with and without fractions.
TEST(RoundTrip, AroundTheLongestWholeNumbers) {
  std::mt19937_64 random(20240608);
  for (int exponent = 48; exponent <= 72; ++exponent) {
    for (int i = 0; i < 2000; ++i) {
      const double d = std::ldexp(1.0 + double(random() >> 12) / double(1ull << 52), exponent);
      ExpectRoundTrip(d);
      ExpectRoundTrip(-d);
      ExpectRoundTrip(std::trunc(d));
    }
    if (HasFailure()) return;
  }
}

TEST(RoundTrip, RandomBitPatterns) {
  std::mt19937_64 random(20240607);
  for (int i = 0; i < 300000; ++i) {
    ExpectRoundTrip(std::bit_cast<double>(random()));
    if (HasFailure()) return;  // one failing pattern tells the story
  }
}

// ---- Val ----

struct ValCase {
  const char* name;
  const char* text;
  double value;
};

class ValTest : public testing::TestWithParam<ValCase> {};

TEST_P(ValTest, Reads) {
  const double value = Val(GetParam().text);
  if (std::isnan(GetParam().value)) {
    EXPECT_TRUE(std::isnan(value)) << value;
  } else {
    EXPECT_EQ(value, GetParam().value);
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, ValTest,
    testing::Values(
        ValCase{"Empty", "", 0}, ValCase{"LoneMinus", "-", 0}, ValCase{"LonePoint", ".", 0},
        ValCase{"MinusPoint", "-.", 0}, ValCase{"Blanks", "   ", 0}, ValCase{"Word", "abc", 0},
        ValCase{"Whole", "42", 42}, ValCase{"Negative", "-7", -7}, ValCase{"Plus", "+5", 5},
        ValCase{"Fraction", "1.5", 1.5}, ValCase{"LeadingPoint", ".5", 0.5},
        ValCase{"MinusLeadingPoint", "-.25", -0.25}, ValCase{"TrailingPoint", "5.", 5},
        ValCase{"LeadingZeros", "007", 7}, ValCase{"LeadingBlanks", " \t 12", 12},
        ValCase{"TrailingText", "12abc", 12}, ValCase{"SecondPointEnds", "1.2.3", 1.2},
        ValCase{"CommaEnds", "1,5", 1}, ValCase{"BlankAfterSign", "- 5", 0},
        ValCase{"Exponent", "1e3", 1000}, ValCase{"CapitalExponent", "1E3", 1000},
        ValCase{"SignedExponent", "2.5e-3", 0.0025}, ValCase{"PlusExponent", "1e+03", 1000},
        ValCase{"BareE", "7e", 7}, ValCase{"ESignNoDigits", "7e+", 7},
        ValCase{"ENoDigits", "7ex", 7}, ValCase{"Hexadecimal", "0x10", 0},
        ValCase{"ManyDigits", "123456789012345678901234567890", 1.2345678901234568e29},
        ValCase{"Infinity", "Infinity", kInf}, ValCase{"NegativeInfinity", "-Infinity", -kInf},
        ValCase{"NaN", "NaN", kNaN}, ValCase{"LowerCaseInf", "inf", 0},
        ValCase{"LowerCaseNan", "nan", 0}, ValCase{"Overflow", "1e400", kInf},
        ValCase{"NegativeOverflow", "-1e400", -kInf},
        ValCase{"OverflowByDigits", "1000000000000000000000e300", kInf},
        ValCase{"OverflowHugeExponent", "1e99999999999999999999", kInf},
        ValCase{"Underflow", "1e-400", 0}, ValCase{"UnderflowAfterPoint", "0.0001e-322", 0},
        ValCase{"UnderflowDespiteDigits", "100000e-330", 0},
        ValCase{"ZeroHugeExponent", "0e99999", 0},
        ValCase{"Denormal", "4.94065645841247e-324", std::numeric_limits<double>::denorm_min()}),
    ByName);
// clang-format on

// ---- Len, Asc, InStr over UTF-8, valid or not ----

struct LenCase {
  const char* name;
  String text;
  int32_t length;
  int32_t firstCode;
};

class CharactersTest : public testing::TestWithParam<LenCase> {};

TEST_P(CharactersTest, CountsAndFirstCode) {
  EXPECT_EQ(Len(GetParam().text), GetParam().length);
  EXPECT_EQ(Asc(GetParam().text), GetParam().firstCode);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, CharactersTest,
                         testing::Values(LenCase{"Empty", "", 0, 0},
                                         LenCase{"Ascii", "abc", 3, 'a'},
                                         LenCase{"TwoByte", "\xC3\xA9t\xC3\xA9", 3, 0xE9},
                                         LenCase{"ThreeByte",
                                                 "\xE2\x82\xAC"
                                                 "5",
                                                 2, 0x20AC},
                                         LenCase{"FourByte", "\xF0\x9F\x98\x80!", 2, 0x1F600},
                                         LenCase{"Nul", String("\0x", 2), 2, 0},
                                         LenCase{"StrayContinuation",
                                                 "\x80\x80"
                                                 "a",
                                                 3, 0xFFFD},
                                         LenCase{"CutOffAtEnd", "a\xE2\x82", 3, 'a'},
                                         LenCase{"CutOffByAscii",
                                                 "\xE2\x82"
                                                 "a",
                                                 3, 0xFFFD},
                                         LenCase{"Overlong", "\xC0\xAF", 2, 0xFFFD},
                                         LenCase{"Surrogate", "\xED\xA0\x80", 3, 0xFFFD},
                                         LenCase{"BeyondUnicode", "\xF4\x90\x80\x80", 4, 0xFFFD},
                                         LenCase{"InvalidLead",
                                                 "\xFF"
                                                 "a",
                                                 2, 0xFFFD}),
                         ByName);
// clang-format on

struct InStrCase {
  const char* name;
  String text, find;
  int32_t position;
};

class InStrTest : public testing::TestWithParam<InStrCase> {};

TEST_P(InStrTest, FindsCharacterPosition) {
  EXPECT_EQ(InStr(GetParam().text, GetParam().find), GetParam().position);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, InStrTest,
    testing::Values(InStrCase{"First", "hello", "h", 1}, InStrCase{"FirstOfTwo", "hello", "l", 3},
                    InStrCase{"Word", "hello", "lo", 4}, InStrCase{"Absent", "hello", "z", 0},
                    InStrCase{"LongerThanText", "he", "hello", 0},
                    InStrCase{"EmptyFindInText", "abc", "", 1},
                    InStrCase{"EmptyFindInEmpty", "", "", 0}, InStrCase{"InEmpty", "", "a", 0},
                    InStrCase{"AfterMultiByte",
                              "\xE2\x82\xAC"
                              "uro",
                              "u", 2},
                    InStrCase{"MultiByteFind",
                              "a\xE2\x82\xAC"
                              "b\xE2\x82\xAC"
                              "c",
                              "\xE2\x82\xAC"
                              "c",
                              4},
                    InStrCase{"InsideCharacterIsNoMatch", "\xC3\xA9", "\xA9", 0},
                    InStrCase{"LaterMatchAfterInsideHit", "\xC3\xA9x\xA9", "\xA9", 3},
                    InStrCase{"AfterInvalidBytes",
                              "\xFF\xFE"
                              "ab",
                              "b", 4}),
    ByName);
// clang-format on

}  // namespace
