#include "playfield/convert.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

#include "playfield/decimal.h"

namespace zentor {
namespace {

// Whole numbers of up to 15 digits, below 10^15, are exact in a double.
constexpr size_t kExactDigits = 15;
constexpr double kExactLimit = 1e15;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// Length of the run of digits at the start of text.
size_t DigitRun(std::string_view text) {
  size_t n = 0;
  while (n < text.size() && IsDigit(text[n])) {
    ++n;
  }
  return n;
}

template <class Int>
Int RoundTo(double value) {
  const double rounded = std::nearbyint(value);
  if (!(rounded >= std::numeric_limits<Int>::min() && rounded <= std::numeric_limits<Int>::max())) {
    throw std::overflow_error("overflow");
  }
  return static_cast<Int>(rounded);
}

}  // namespace

double TextToNumber(std::string_view text) {
  if (text.empty() || DigitRun(text) != text.size()) {
    throw std::invalid_argument("type mismatch: \"" + std::string(text) + "\" is not a number");
  }
  // The score is read back from its caption many times a tick: up to 15 digits the whole
  // number is exact in a double, and adding up the digits is several times faster.
  if (text.size() <= kExactDigits) {
    uint64_t whole = 0;
    for (const char digit : text) {
      whole = whole * 10 + static_cast<uint64_t>(digit - '0');
    }
    return static_cast<double>(whole);
  }
  return ReadDouble(text).value().nearest;
}

std::string NumberToText(double value) {
  if (value >= 0 && value < kExactLimit && value == std::trunc(value) && !std::signbit(value)) {
    std::array<char, kExactDigits + 1> digits{};
    const auto result =
        std::to_chars(digits.data(), digits.data() + digits.size(), static_cast<uint64_t>(value));
    return std::string(digits.data(), result.ptr);
  }
  return WholeDecimal(value);
}

double LeadingNumber(std::string_view text) {
  size_t start = 0;
  while (start < text.size() && IsBlank(text[start])) {
    ++start;
  }
  std::string_view rest = text.substr(start);
  size_t end = 0;
  if (end < rest.size() && (rest[end] == '+' || rest[end] == '-')) {
    ++end;
  }
  const size_t whole = DigitRun(rest.substr(end));
  end += whole;
  size_t fraction = 0;
  if (end < rest.size() && rest[end] == '.') {
    fraction = DigitRun(rest.substr(end + 1));
    if (whole + fraction > 0) {
      end += 1 + fraction;
    }
  }
  if (whole + fraction == 0) {
    return 0;
  }
  // An exponent counts only when digits follow it.
  if (end < rest.size() && (rest[end] == 'e' || rest[end] == 'E')) {
    size_t mark = end + 1;
    if (mark < rest.size() && (rest[mark] == '+' || rest[mark] == '-')) {
      ++mark;
    }
    const size_t exponent = DigitRun(rest.substr(mark));
    if (exponent > 0) {
      end = mark + exponent;
    }
  }
  // A decimal as read takes no '+' sign. Past the range of a double it is infinite or 0.
  const size_t skip = rest[0] == '+' ? 1 : 0;
  return ReadDouble(rest.substr(skip, end - skip)).value().nearest;
}

int16_t RoundToInt16(double value) {
  return RoundTo<int16_t>(value);
}
int32_t RoundToInt32(double value) {
  return RoundTo<int32_t>(value);
}

float UnitFromBits(uint32_t bits) {
  constexpr int kMantissaBits = 24;
  constexpr float kScale = 1.0f / static_cast<float>(1u << kMantissaBits);
  return static_cast<float>(bits >> (32 - kMantissaBits)) * kScale;
}

}  // namespace zentor
