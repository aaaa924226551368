#include "playfield/decimal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace zentor {
namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();

TEST(ShortestDecimal, WritesTheFewestDigitsInTheShorterForm) {
  struct Case {
    float value;
    const char* text;
  };
  const Case cases[] = {
      {2527.5f, "2527.5"},
      {480, "480"},
      {-150, "-150"},
      {0, "0"},
      {-0.0f, "-0"},
      {0.1f, "0.1"},
      {0.001f, "0.001"},           // as long as 1e-03: the fixed form
      {0.0001f, "1e-04"},          // shorter than 0.0001
      {10000, "10000"},            // as long as 1e+04
      {100000, "1e+05"},           // shorter than 100000
      {16777218, "16777218"},      // shorter than 1.6777218e+07
      {0x1p40f, "1099511627776"},  // all the digits of a whole number, not 1099511600000
      {0x1p43f, "8.796093e+12"},
      {0x1p-100f, "7.888609e-31"},
      {0x1p90f, "1.2379401e+27"},  // below a power of two the singles stand closer: 8 digits
      {0.99999994f, "0.99999994"},
      {std::numeric_limits<float>::denorm_min(), "1e-45"},
      {std::numeric_limits<float>::min(), "1.1754944e-38"},
      {std::numeric_limits<float>::max(), "3.4028235e+38"},
      {kInfinity, "inf"},
      {-kInfinity, "-inf"},
      {std::numeric_limits<float>::quiet_NaN(), "nan"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShortestDecimal(c.value), c.text);
  }
}

TEST(ShortestDecimal, ReadsBackAsTheSameSingle) {
  constexpr int kPatterns = 20000;
  std::mt19937 random(20240917);
  for (int i = 0; i < kPatterns; ++i) {
    const uint32_t bits = random();
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    if (!std::isfinite(value)) {
      continue;
    }
    const std::string text = ShortestDecimal(value);
    const auto read = ReadSingle(text);
    ASSERT_TRUE(read) << text;
    EXPECT_TRUE(read->inRange) << text;
    uint32_t readBits = 0;
    std::memcpy(&readBits, &read->nearest, sizeof readBits);
    EXPECT_EQ(readBits, bits) << text;
  }
}

TEST(WholeDecimal, RoundsToTheNearestWholeNumberTiesToEven) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
      {0.5, "0"},
      {1.5, "2"},
      {2.5, "2"},
      {-3, "-3"},
      {-0.25, "-0"},
      {1e21, "1000000000000000000000"},
      {9007199254740993.0, "9007199254740992"},
      {std::numeric_limits<double>::infinity(), "inf"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WholeDecimal(c.value), c.text) << c.value;
  }
  EXPECT_EQ(WholeDecimal(std::numeric_limits<double>::max()).size(), 309u);
}

TEST(ReadSingle, TakesOnlyWholeDecimalsWithoutPlusBlankOrHex) {
  for (const char* text : {"", "-", "+1", " 1", "1 ", "0x10", "1e", "1e+", ".", "-.", ".e1",
                           "1.5e-1x", "infinit", "nan(", "nan(1.)", "1,5", "--1", "e5"}) {
    EXPECT_FALSE(ReadSingle(text)) << '"' << text << '"';
    EXPECT_FALSE(ReadDouble(text)) << '"' << text << '"';
  }
}

TEST(ReadSingle, ReadsTheNearestSingle) {
  struct Case {
    const char* text;
    float nearest;
    bool inRange;
  };
  const Case cases[] = {
      {"0.5", 0.5f, true},
      {"-.5", -0.5f, true},
      {"5.", 5, true},
      {"00.1e-0001", 0.01f, true},
      {"1E5", 100000, true},
      {"0.99999998", 1, true},  // nearer 1 than the single below it
      {"3.4028235e38", std::numeric_limits<float>::max(), true},
      {"8e-46", std::numeric_limits<float>::denorm_min(), true},
      {"0e99999999999999999999", 0, true},
      {"INF", kInfinity, true},
      {"-Infinity", -kInfinity, true},
      {"3.4028236e38", kInfinity, false},  // rounds past the largest single
      {"-1e99999999999999999999", -kInfinity, false},
      {"7e-46", 0, false},  // rounds to 0
      {"1e-99999999999999999999", 0, false},
  };
  for (const Case& c : cases) {
    const auto read = ReadSingle(c.text);
    ASSERT_TRUE(read) << c.text;
    EXPECT_EQ(read->nearest, c.nearest) << c.text;
    EXPECT_EQ(read->inRange, c.inRange) << c.text;
  }
  for (const char* text : {"nan", "-NaN", "nan()", "nan(12_aZ)"}) {
    const auto read = ReadSingle(text);
    ASSERT_TRUE(read) << text;
    EXPECT_TRUE(std::isnan(read->nearest)) << text;
  }
}

TEST(ReadDouble, ReadsTheNearestDoubleAndSaysWhenItIsPastTheRange) {
  struct Case {
    std::string text;
    double nearest;
    bool inRange;
  };
  const Case cases[] = {
      {"1e-320", 1e-320, true},  // a subnormal double, 0 as a single
      {"123456789012345678901234567890", 1.2345678901234568e29, true},
      {"1e309", std::numeric_limits<double>::infinity(), false},
      {std::string(400, '9'), std::numeric_limits<double>::infinity(), false},
      {"-1e-999", -0.0, false},
      {"0." + std::string(400, '0') + "1e50", 0, false},  // exponent up, still below the least
  };
  for (const Case& c : cases) {
    const auto read = ReadDouble(c.text);
    ASSERT_TRUE(read) << c.text;
    EXPECT_EQ(read->nearest, c.nearest) << c.text;
    EXPECT_EQ(std::signbit(read->nearest), std::signbit(c.nearest)) << c.text;
    EXPECT_EQ(read->inRange, c.inRange) << c.text;
  }
  EXPECT_FALSE(ReadSingle("1e-320")->inRange);
}

}  // namespace
}  // namespace zentor
