#include "playfield/convert.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace zentor {
namespace {

TEST(TextToNumber, ReadsPlainDigits) {
  EXPECT_EQ(TextToNumber("0"), 0.0);
  EXPECT_EQ(TextToNumber("1000"), 1000.0);
  EXPECT_EQ(TextToNumber("0042"), 42.0);
  EXPECT_EQ(TextToNumber("123456789012"), 123456789012.0);
  // Around the longest text that adds up exactly, and past it, rounded to the nearest double.
  EXPECT_EQ(TextToNumber("999999999999999"), 999999999999999.0);
  EXPECT_EQ(TextToNumber("1000000000000000"), 1e15);
  EXPECT_EQ(TextToNumber("9007199254740993"), 9007199254740992.0);
  EXPECT_EQ(TextToNumber("000000000000000000042"), 42.0);
  EXPECT_EQ(TextToNumber("123456789012345678901234567890"), 1.2345678901234568e29);
}

TEST(TextToNumber, DigitsPastTheLargestDoubleAreInfinite) {
  EXPECT_EQ(TextToNumber(std::string(400, '9')), std::numeric_limits<double>::infinity());
}

TEST(TextToNumber, RefusesAnythingButDigits) {
  for (const char* text : {"", " 1", "1 ", "-1", "1.5", "1e3", "abc", "+2"}) {
    EXPECT_THROW(TextToNumber(text), std::invalid_argument) << '"' << text << '"';
  }
}

TEST(NumberToText, WritesWholeNumbersAsDigits) {
  EXPECT_EQ(NumberToText(0), "0");
  EXPECT_EQ(NumberToText(1), "1");
  EXPECT_EQ(NumberToText(1000), "1000");
  EXPECT_EQ(NumberToText(1e6), "1000000");
  EXPECT_EQ(NumberToText(1e21), "1000000000000000000000");
  EXPECT_EQ(NumberToText(999999999999999), "999999999999999");
  EXPECT_EQ(NumberToText(1e15), "1000000000000000");
  EXPECT_EQ(NumberToText(9007199254740992.0), "9007199254740992");
}

TEST(NumberToText, RoundsOtherNumbersHalfToEven) {
  EXPECT_EQ(NumberToText(0.5), "0");
  EXPECT_EQ(NumberToText(1.5), "2");
  EXPECT_EQ(NumberToText(2.5), "2");
  EXPECT_EQ(NumberToText(-3), "-3");
}

TEST(NumberToText, RoundTripsThroughTextToNumber) {
  for (double v = 0; v < 20000; v += 997) {
    EXPECT_EQ(TextToNumber(NumberToText(v)), v);
  }
}

TEST(LeadingNumber, ReadsTheNumberAtTheStart) {
  struct Case {
    std::string text;
    double value;
  };
  const Case cases[] = {
      {"0", 0},
      {"999", 999},
      {"1000", 1000},
      {"  250", 250},
      {"\t12", 12},
      {"12abc", 12},
      {"3.5 points", 3.5},
      {"-7", -7},
      {"+8", 8},
      {"", 0},
      {"abc", 0},
      {"  ", 0},
      {".5", 0.5},
      {"5.", 5},
      {"1e3", 1000},
      {"2e", 2},
      {"2e+", 2},
      {"1.5e-1x", 0.15},
      {"-", 0},
      {".", 0},
      {"1e999", std::numeric_limits<double>::infinity()},
      {"-1e999", -std::numeric_limits<double>::infinity()},
      {"1e-999", 0},
      {"0." + std::string(400, '0') + "1e5", 0},  // below the least double for all its exponent
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LeadingNumber(c.text), c.value) << '"' << c.text << '"';
  }
}

TEST(Rounding, TiesGoToEven) {
  struct Case {
    double value;
    int32_t rounded;
  };
  const Case cases[] = {{100.5, 100}, {101.5, 102}, {-0.5, 0}, {-1.5, -2}, {2.4999, 2}, {7, 7}};
  for (const Case& c : cases) {
    EXPECT_EQ(RoundToInt32(c.value), c.rounded) << c.value;
    EXPECT_EQ(RoundToInt16(c.value), c.rounded) << c.value;
  }
}

TEST(Rounding, OutOfRangeIsAnOverflowError) {
  EXPECT_EQ(RoundToInt16(32767.4), 32767);
  EXPECT_THROW(RoundToInt16(32767.5), std::overflow_error);
  EXPECT_THROW(RoundToInt16(-32769), std::overflow_error);
  EXPECT_THROW(RoundToInt32(3e9), std::overflow_error);
  EXPECT_THROW(RoundToInt32(std::nan("")), std::overflow_error);
}

TEST(UnitFromBits, StaysBelowOne) {
  EXPECT_EQ(UnitFromBits(0), 0.0f);
  EXPECT_LT(UnitFromBits(0xFFFFFFFFu), 1.0f);
  EXPECT_EQ(UnitFromBits(0xFFFFFFFFu), std::nextafter(1.0f, 0.0f));
  EXPECT_EQ(UnitFromBits(0x80000000u), 0.5f);
}

}  // namespace
}  // namespace zentor
