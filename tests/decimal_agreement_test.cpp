// The web build writes and reads decimals through the C library (decimal_portable.cpp), because
// its standard library has no floating-point charconv. Here, where both exist, the two must give
// the same text and the same numbers: over every power of two, random bit patterns, the game's
// positions, the numbers of the scenarios' expected outputs and the edges of the ranges.
#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "playfield/decimal.h"
#include "playfield/decimal_portable.h"

namespace zentor {
namespace {

constexpr int kRandomPatterns = 200000;
constexpr int kRandomTexts = 200000;
constexpr size_t kShownDisagreements = 10;
constexpr uint32_t kSeed = 20240917;

template <class Number>
auto Bits(Number value) {
  std::conditional_t<sizeof(Number) == 4, uint32_t, uint64_t> bits{};
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// Every case that disagrees, of which the first few are shown.
class Disagreements {
 public:
  void Add(const std::string& what) {
    if (count_++ < kShownDisagreements) {
      shown_ += what + "\n";
    }
  }
  ~Disagreements() { EXPECT_EQ(count_, 0u) << shown_; }

 private:
  size_t count_ = 0;
  std::string shown_;
};

std::string CharconvShortest(float value) {
  std::array<char, 64> text{};
  return std::string(text.data(), std::to_chars(text.data(), text.data() + text.size(), value).ptr);
}

std::string CharconvWhole(double value) {
  std::array<char, 400> text{};
  return std::string(text.data(), std::to_chars(text.data(), text.data() + text.size(), value,
                                                std::chars_format::fixed, 0)
                                      .ptr);
}

template <class Number>
auto PortableRead(std::string_view text) {
  if constexpr (std::is_same_v<Number, float>) {
    return portable::ReadSingle(text);
  } else {
    return portable::ReadDouble(text);
  }
}

template <class Number>
auto OwnRead(std::string_view text) {
  if constexpr (std::is_same_v<Number, float>) {
    return ReadSingle(text);
  } else {
    return ReadDouble(text);
  }
}

template <class Number>
std::vector<Number> PowersOfTwoAndNeighbours() {
  std::vector<Number> values;
  const Number infinity = std::numeric_limits<Number>::infinity();
  for (Number power = std::numeric_limits<Number>::denorm_min(); power < infinity; power *= 2) {
    for (const Number value :
         {power, std::nextafter(power, Number{0}), std::nextafter(power, infinity)}) {
      values.push_back(value);
      values.push_back(-value);
    }
  }
  return values;
}

template <class Number>
std::vector<Number> RandomPatterns() {
  std::mt19937_64 random(kSeed);
  std::vector<Number> values;
  for (int i = 0; i < kRandomPatterns; ++i) {
    const auto bits = static_cast<decltype(Bits(Number{}))>(random());
    Number value;
    std::memcpy(&value, &bits, sizeof value);
    values.push_back(value);
  }
  return values;
}

template <class Number>
std::vector<Number> Edges() {
  using Limits = std::numeric_limits<Number>;
  std::vector<Number> values = {0,
                                -Number{0},
                                Limits::denorm_min(),
                                Limits::min(),
                                Limits::max(),
                                Limits::infinity(),
                                Limits::quiet_NaN(),
                                std::nextafter(Limits::min(), Number{0}),
                                std::nextafter(Limits::max(), Number{0})};
  for (int power = Limits::min_exponent10 - Limits::digits10; power <= Limits::max_exponent10;
       ++power) {
    const Number ten = static_cast<Number>(std::pow(10.0L, power));
    values.insert(values.end(),
                  {ten, std::nextafter(ten, Number{0}), std::nextafter(ten, Limits::infinity())});
  }
  const size_t count = values.size();
  for (size_t i = 0; i < count; ++i) {
    values.push_back(-values[i]);
  }
  return values;
}

// Where the rocks, the square and the labels can stand, in quarter twips and beyond the window.
std::vector<float> GamePositions() {
  constexpr float kReach = 20000;
  constexpr float kStep = 0.25f;
  std::vector<float> values;
  for (float place = -kReach; place <= kReach; place += kStep) {
    values.push_back(place);
  }
  return values;
}

// Every number in the scenarios' expected outputs, as the text the game printed.
std::vector<std::string> ScenarioNumbers() {
  const std::regex number(R"(-?[0-9][0-9.e+-]*)");
  std::vector<std::string> numbers;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(ZENTOR_SCENARIOS)) {
    if (entry.path().extension() != ".out") {
      continue;
    }
    std::ifstream in(entry.path());
    std::stringstream text;
    text << in.rdbuf();
    const std::string all = text.str();
    for (std::sregex_iterator it(all.begin(), all.end(), number), end; it != end; ++it) {
      numbers.push_back(it->str());
    }
  }
  return numbers;
}

void ExpectSameShortest(const std::vector<float>& values) {
  Disagreements disagreements;
  for (const float value : values) {
    const std::string portable = portable::ShortestDecimal(value);
    const std::string expected = CharconvShortest(value);
    if (portable != expected) {
      disagreements.Add(expected + " written as " + portable);
    }
  }
}

void ExpectSameWhole(const std::vector<double>& values) {
  Disagreements disagreements;
  for (const double value : values) {
    const std::string portable = portable::WholeDecimal(value);
    const std::string expected = CharconvWhole(value);
    if (portable != expected) {
      disagreements.Add(expected + " written as " + portable);
    }
  }
}

// The same acceptance, range and value as std::from_chars; past the range, the same nearest
// value as the build's own reading.
template <class Number>
void ExpectSameReading(const std::vector<std::string>& texts) {
  Disagreements disagreements;
  for (const std::string& text : texts) {
    const auto portable = PortableRead<Number>(text);
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    const bool accepted = end == text.data() + text.size() && error != std::errc::invalid_argument;
    if (portable.has_value() != accepted) {
      disagreements.Add("'" + text + (accepted ? "' refused" : "' accepted") + ", unlike std::from_chars");
      continue;
    }
    if (!accepted) {
      continue;
    }
    const Number nearest = portable->nearest;
    const bool inRange = error == std::errc();
    const auto own = OwnRead<Number>(text);
    const Number expected = inRange ? value : own->nearest;
    if (portable->inRange != inRange || Bits(nearest) != Bits(expected)) {
      disagreements.Add("'" + text + "' read as " + std::to_string(nearest) +
                        (portable->inRange ? "" : " out of range"));
    }
  }
}

template <class Number>
std::vector<std::string> Texts(const std::vector<Number>& values) {
  std::vector<std::string> texts;
  for (const Number value : values) {
    std::array<char, 64> text{};
    texts.emplace_back(text.data(), std::to_chars(text.data(), text.data() + text.size(), value,
                                                  std::chars_format::general,
                                                  std::numeric_limits<Number>::max_digits10)
                                        .ptr);
  }
  return texts;
}

// Words of the characters a decimal is made of, and of others that come close, in any order.
std::vector<std::string> RandomWords() {
  constexpr std::string_view kAlphabet = "0123456789000.-+eE infINFnaNty()_x";
  constexpr size_t kLongest = 12;
  std::mt19937 random(kSeed);
  std::vector<std::string> words;
  for (int i = 0; i < kRandomTexts; ++i) {
    std::string word(random() % (kLongest + 1), ' ');
    for (char& c : word) {
      c = kAlphabet[random() % kAlphabet.size()];
    }
    words.push_back(word);
  }
  return words;
}

// Decimals of many digits near the ends of the ranges, where rounding to the least subnormal, to
// 0 or to infinity is decided.
std::vector<std::string> DecimalsNearTheEnds() {
  constexpr int kDigits = 30;
  constexpr int kFarthest = 330;
  std::mt19937 random(kSeed);
  std::vector<std::string> texts;
  for (int exponent = -kFarthest; exponent <= kFarthest; ++exponent) {
    for (const int digits : {1, 8, 17, kDigits}) {
      std::string text = std::to_string(1 + random() % 9) + ".";
      for (int i = 1; i < digits; ++i) {
        text += static_cast<char>('0' + random() % 10);
      }
      texts.push_back(text + "e" + std::to_string(exponent));
      texts.push_back("-0.000" + text.substr(0, 1) + text.substr(2) + "e" +
                      std::to_string(exponent));
    }
  }
  return texts;
}

std::vector<std::string> ReadingEdges() {
  return {"",
          "-",
          "+1",
          " 1",
          "1 ",
          "0x10",
          "1e",
          "1e+",
          "1e-",
          ".",
          ".e1",
          "-.5",
          "5.",
          ".5",
          "1.5e-1x",
          "00.1e-0001",
          "-0",
          "1.e5",
          "1E5",
          "inf",
          "-INF",
          "Infinity",
          "infinit",
          "nan",
          "-NaN",
          "nan()",
          "nan(12_aZ)",
          "nan(",
          "nan(1.)",
          "3.4028235e38",
          "3.4028236e38",
          "7e-46",
          "8e-46",
          "1e-320",
          "2.5e-324",
          "2.4703282292062328e-324",
          "1e99999999999999999999",
          "1e-99999999999999999999",
          "0e99999999999999999999",
          std::string(400, '9'),
          "0." + std::string(400, '0') + "1e300"};
}

TEST(DecimalAgreement, ShortestSinglesAsStdToChars) {
  ExpectSameShortest(PowersOfTwoAndNeighbours<float>());
  ExpectSameShortest(RandomPatterns<float>());
  ExpectSameShortest(Edges<float>());
  ExpectSameShortest(GamePositions());
}

TEST(DecimalAgreement, ScenarioNumbersAreWrittenAsPrinted) {
  const std::vector<std::string> numbers = ScenarioNumbers();
  ASSERT_FALSE(numbers.empty());
  Disagreements disagreements;
  for (const std::string& number : numbers) {
    const auto read = portable::ReadSingle(number);
    if (!read || portable::ShortestDecimal(read->nearest) != number ||
        CharconvShortest(read->nearest) != number) {
      disagreements.Add(number);
    }
  }
}

TEST(DecimalAgreement, WholeDoublesAsStdToChars) {
  std::vector<double> values = PowersOfTwoAndNeighbours<double>();
  for (const auto& more : {RandomPatterns<double>(), Edges<double>()}) {
    values.insert(values.end(), more.begin(), more.end());
  }
  constexpr int kHalves = 100;
  for (int whole = -kHalves; whole <= kHalves; ++whole) {
    values.push_back(whole + 0.5);
  }
  ExpectSameWhole(values);
}

TEST(DecimalAgreement, ReadingAsStdFromChars) {
  for (const auto& texts : {ReadingEdges(), RandomWords(), DecimalsNearTheEnds(),
                            Texts(PowersOfTwoAndNeighbours<float>()), Texts(Edges<float>()),
                            Texts(RandomPatterns<float>())}) {
    ExpectSameReading<float>(texts);
  }
  for (const auto& texts : {ReadingEdges(), RandomWords(), DecimalsNearTheEnds(),
                            Texts(PowersOfTwoAndNeighbours<double>()), Texts(Edges<double>()),
                            Texts(RandomPatterns<double>())}) {
    ExpectSameReading<double>(texts);
  }
}

}  // namespace
}  // namespace zentor
