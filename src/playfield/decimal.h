// Decimal text for singles and doubles: the shortest decimal that reads back as the same single,
// whole numbers of doubles, and reading a decimal as std::from_chars reads one. Where the
// standard library has floating-point std::to_chars and std::from_chars the build uses them;
// elsewhere (the web's) it uses the C library's printf and strtod, with the same results.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zentor {

// A decimal read as a Number.
template <class Number>
struct ReadDecimal {
  Number nearest;  // the Number nearest the decimal; past the largest, infinity; below the least, 0
  bool inRange;    // false when nearest is infinite for a finite decimal, or 0 for a non-zero one
};

// The shortest decimal that reads back as the same single, in fixed or scientific form,
// whichever is shorter (fixed on a tie), as std::to_chars writes it: "2527.5", "-150", "1e+05",
// "1e-04", "inf", "nan".
std::string ShortestDecimal(float value);

// The whole number nearest the value (ties to even) in plain digits, with a '-' for a negative
// value: "2", "-0", "1000000000000000000000", "inf".
std::string WholeDecimal(double value);

// The whole text read as a decimal as std::from_chars reads one: an optional '-', digits with an
// optional point and an optional exponent (e or E, an optional sign, digits), or inf, infinity,
// nan or nan(letters, digits and '_') in any case. No '+' sign, blank or hexadecimal; nullopt
// for any other text.
std::optional<ReadDecimal<float>> ReadSingle(std::string_view text);
std::optional<ReadDecimal<double>> ReadDouble(std::string_view text);

}  // namespace zentor
