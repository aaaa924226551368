#include "playfield/decimal_portable.h"

#include <locale.h>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <limits>

namespace zentor::portable {
namespace {

// Significant digits that always tell a single apart from its neighbours.
constexpr int kSingleDigits = 9;
constexpr std::array<uint32_t, kSingleDigits + 1> kPowersOfTen = {
    1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};
// Room for "%.8e" of a single, and for the longest whole number of a double (309 digits).
constexpr size_t kScientificRoom = 32;
constexpr size_t kWholeRoom = 400;
// A scientific exponent has at least this many digits, as printf writes it.
constexpr int kExponentDigits = 2;

// printf and strtod write and read the point of the "C" locale, whatever locale is set.
class CLocale {
 public:
  CLocale() : saved_(uselocale(Locale())) {}
  ~CLocale() { uselocale(saved_); }
  CLocale(const CLocale&) = delete;
  CLocale& operator=(const CLocale&) = delete;

 private:
  static locale_t Locale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
    return c;
  }
  locale_t saved_;
};

// A decimal of `count` significant digits: d.ddd times ten to the `exponent`.
struct Scientific {
  uint32_t digits;  // the `count` digits as a whole number, the first not 0
  int count;
  int exponent;
};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The decimal of `count` significant digits nearest the magnitude, ties to even, as printf
// rounds: from its "d.ddde+XX".
Scientific Nearest(float magnitude, int count) {
  std::array<char, kScientificRoom> text{};
  {
    const CLocale c;
    std::snprintf(text.data(), text.size(), "%.*e", count - 1, static_cast<double>(magnitude));
  }
  Scientific decimal{0, count, 0};
  const char* at = text.data();
  for (; *at != 'e'; ++at) {
    if (IsDigit(*at)) {
      decimal.digits = decimal.digits * 10 + static_cast<uint32_t>(*at - '0');
    }
  }
  decimal.exponent = std::atoi(at + 1);
  return decimal;
}

// The decimals of as many digits just above and just below.
Scientific Above(Scientific decimal) {
  if (++decimal.digits == kPowersOfTen[decimal.count]) {
    decimal.digits = kPowersOfTen[decimal.count - 1];
    ++decimal.exponent;
  }
  return decimal;
}
Scientific Below(Scientific decimal) {
  if (--decimal.digits < kPowersOfTen[decimal.count - 1]) {
    decimal.digits = kPowersOfTen[decimal.count] - 1;
    --decimal.exponent;
  }
  return decimal;
}

bool ReadsBackAs(const Scientific& decimal, float magnitude) {
  // Digits and an exponent: no point, so no locale enters.
  const std::string text =
      std::to_string(decimal.digits) + "e" + std::to_string(decimal.exponent - decimal.count + 1);
  return std::strtof(text.c_str(), nullptr) == magnitude;
}

// The fewest digits that read back as the magnitude; of those, the nearest. Where the nearest
// decimal of some count misses, the one beyond it may still hit: below a power of two the
// singles stand twice as close as above it.
Scientific Shortest(float magnitude) {
  for (int count = 1; count < kSingleDigits; ++count) {
    const Scientific nearest = Nearest(magnitude, count);
    for (const Scientific& decimal : {nearest, Above(nearest), Below(nearest)}) {
      if (ReadsBackAs(decimal, magnitude)) {
        return decimal;
      }
    }
  }
  return Nearest(magnitude, kSingleDigits);
}

std::string ScientificForm(const std::string& digits, int exponent) {
  std::string text = digits.substr(0, 1);
  if (digits.size() > 1) {
    text += '.' + digits.substr(1);
  }
  const std::string power = std::to_string(std::abs(exponent));
  text += exponent < 0 ? "e-" : "e+";
  text += std::string(std::max(0, kExponentDigits - static_cast<int>(power.size())), '0') + power;
  return text;
}

// A whole number is written with all its digits, as the exact value.
std::string FixedForm(const std::string& digits, int exponent, float magnitude) {
  const int count = static_cast<int>(digits.size());
  if (exponent >= count - 1) {
    return WholeDecimal(magnitude);
  }
  if (exponent >= 0) {
    const auto whole = static_cast<size_t>(exponent + 1);
    return digits.substr(0, whole) + '.' + digits.substr(whole);
  }
  return "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
}

bool SameLetters(std::string_view text, std::string_view lower) {
  if (text.size() != lower.size()) {
    return false;
  }
  for (size_t i = 0; i < text.size(); ++i) {
    const char c =
        text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
    if (c != lower[i]) {
      return false;
    }
  }
  return true;
}

bool IsInfinity(std::string_view text) {
  return SameLetters(text, "inf") || SameLetters(text, "infinity");
}

// nan, or nan( letters, digits and '_' ).
bool IsNan(std::string_view text) {
  constexpr std::string_view kNan = "nan";
  if (text.size() < kNan.size() || !SameLetters(text.substr(0, kNan.size()), kNan)) {
    return false;
  }
  const std::string_view rest = text.substr(kNan.size());
  if (rest.empty()) {
    return true;
  }
  if (rest.size() < 2 || rest.front() != '(' || rest.back() != ')') {
    return false;
  }
  for (const char c : rest.substr(1, rest.size() - 2)) {
    if (!IsDigit(c) && c != '_' && !(c >= 'a' && c <= 'z') && !(c >= 'A' && c <= 'Z')) {
      return false;
    }
  }
  return true;
}

size_t DigitRun(std::string_view text) {
  size_t n = 0;
  while (n < text.size() && IsDigit(text[n])) {
    ++n;
  }
  return n;
}

// Digits with an optional point, at least one digit, then an optional exponent with digits.
bool IsDecimal(std::string_view text) {
  size_t at = DigitRun(text);
  size_t digits = at;
  if (at < text.size() && text[at] == '.') {
    const size_t fraction = DigitRun(text.substr(at + 1));
    digits += fraction;
    at += 1 + fraction;
  }
  if (digits == 0) {
    return false;
  }
  if (at == text.size()) {
    return true;
  }
  if (text[at] != 'e' && text[at] != 'E') {
    return false;
  }
  ++at;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    ++at;
  }
  const size_t exponent = DigitRun(text.substr(at));
  return exponent > 0 && at + exponent == text.size();
}

bool HasNonZeroDigit(std::string_view decimal) {
  const std::string_view mantissa = decimal.substr(0, decimal.find_first_of("eE"));
  return mantissa.find_first_of("123456789") != std::string_view::npos;
}

float Convert(const char* text, float /*type*/) {
  return std::strtof(text, nullptr);
}
double Convert(const char* text, double /*type*/) {
  return std::strtod(text, nullptr);
}

template <class Number>
std::optional<ReadDecimal<Number>> Read(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  const std::string_view magnitude = text.substr(negative ? 1 : 0);
  const Number sign = negative ? -1 : 1;
  if (IsInfinity(magnitude)) {
    return ReadDecimal<Number>{sign * std::numeric_limits<Number>::infinity(), true};
  }
  if (IsNan(magnitude)) {
    return ReadDecimal<Number>{std::copysign(std::numeric_limits<Number>::quiet_NaN(), sign), true};
  }
  if (!IsDecimal(magnitude)) {
    return std::nullopt;
  }
  const std::string terminated(magnitude);
  Number nearest = 0;
  {
    const CLocale c;
    nearest = Convert(terminated.c_str(), Number{});
  }
  const bool inRange = !std::isinf(nearest) && (nearest != 0 || !HasNonZeroDigit(magnitude));
  return ReadDecimal<Number>{std::copysign(nearest, sign), inRange};
}

}  // namespace

std::string ShortestDecimal(float value) {
  if (std::isnan(value)) {
    return std::signbit(value) ? "-nan" : "nan";
  }
  const std::string sign = std::signbit(value) ? "-" : "";
  const float magnitude = std::fabs(value);
  if (std::isinf(magnitude)) {
    return sign + "inf";
  }
  if (magnitude == 0) {
    return sign + "0";
  }
  const Scientific shortest = Shortest(magnitude);
  std::string digits = std::to_string(shortest.digits);
  digits.erase(digits.find_last_not_of('0') + 1);
  const std::string fixed = FixedForm(digits, shortest.exponent, magnitude);
  const std::string scientific = ScientificForm(digits, shortest.exponent);
  return sign + (fixed.size() <= scientific.size() ? fixed : scientific);
}

std::string WholeDecimal(double value) {
  std::array<char, kWholeRoom> text{};
  const CLocale c;
  const int length = std::snprintf(text.data(), text.size(), "%.0f", value);
  return std::string(text.data(), static_cast<size_t>(length));
}

std::optional<ReadDecimal<float>> ReadSingle(std::string_view text) {
  return Read<float>(text);
}

std::optional<ReadDecimal<double>> ReadDouble(std::string_view text) {
  return Read<double>(text);
}

}  // namespace zentor::portable

#if !defined(__cpp_lib_to_chars)
// A standard library without floating-point charconv writes and reads every decimal here.
namespace zentor {

std::string ShortestDecimal(float value) {
  return portable::ShortestDecimal(value);
}

std::string WholeDecimal(double value) {
  return portable::WholeDecimal(value);
}

std::optional<ReadDecimal<float>> ReadSingle(std::string_view text) {
  return portable::ReadSingle(text);
}

std::optional<ReadDecimal<double>> ReadDouble(std::string_view text) {
  return portable::ReadDouble(text);
}

}  // namespace zentor
#endif
