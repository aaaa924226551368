// Decimal text through the standard library's floating-point std::to_chars and std::from_chars,
// where it has them; decimal_portable.cpp stands in where it has not (the web's).
#include <charconv>
#if defined(__cpp_lib_to_chars)

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

#include "playfield/decimal.h"

namespace zentor {
namespace {

// Room for the longest whole number of a double (309 digits) and its sign.
constexpr size_t kWholeRoom = 400;
// Room for the longest shortest single: "-1.1754944e-38".
constexpr size_t kShortestRoom = 32;
// Beyond this an exponent only tells on which side of 1 the decimal lies.
constexpr int64_t kExponentCap = int64_t{1} << 40;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Whether a decimal of digits, point and exponent lies above 1 rather than below it: the power of
// ten of its first non-zero digit once the exponent has moved the point. Asked only of decimals
// that std::from_chars finds too large or too small, whose first digit stands far from 1's place.
bool AboveOne(std::string_view text) {
  const size_t mantissa = std::min(text.find_first_of("eE"), text.size());
  const size_t point = std::min(text.find('.'), mantissa);
  const size_t first = text.find_first_of("123456789");
  if (first >= mantissa) {
    return false;
  }
  const int64_t place = first < point ? static_cast<int64_t>(point - first) - 1
                                      : -static_cast<int64_t>(first - point);
  int64_t exponent = 0;
  for (size_t i = mantissa + 1; i < text.size(); ++i) {
    if (IsDigit(text[i])) {
      exponent = std::min(exponent * 10 + (text[i] - '0'), kExponentCap);
    }
  }
  const bool shrinks = mantissa + 1 < text.size() && text[mantissa + 1] == '-';
  return place + (shrinks ? -exponent : exponent) >= 0;
}

template <class Number>
std::optional<ReadDecimal<Number>> Read(std::string_view text) {
  Number value{};
  const char* const last = text.data() + text.size();
  const auto [end, error] = std::from_chars(text.data(), last, value);
  if (end != last || error == std::errc::invalid_argument) {
    return std::nullopt;
  }
  if (error == std::errc::result_out_of_range) {
    const bool negative = text.front() == '-';
    const std::string_view magnitude = text.substr(negative ? 1 : 0);
    const Number nearest = AboveOne(magnitude) ? std::numeric_limits<Number>::infinity() : 0;
    return ReadDecimal<Number>{negative ? -nearest : nearest, false};
  }
  return ReadDecimal<Number>{value, true};
}

}  // namespace

std::string ShortestDecimal(float value) {
  std::array<char, kShortestRoom> text{};
  const auto result = std::to_chars(text.data(), text.data() + text.size(), value);
  return std::string(text.data(), result.ptr);
}

std::string WholeDecimal(double value) {
  std::array<char, kWholeRoom> text{};
  const auto result =
      std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, 0);
  return std::string(text.data(), result.ptr);
}

std::optional<ReadDecimal<float>> ReadSingle(std::string_view text) {
  return Read<float>(text);
}

std::optional<ReadDecimal<double>> ReadDouble(std::string_view text) {
  return Read<double>(text);
}

}  // namespace zentor

#endif  // __cpp_lib_to_chars
