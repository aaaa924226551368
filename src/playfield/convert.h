// Text and number conversions of the game, and the rounding it uses when a value changes type.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zentor {

// The value of a caption the game wrote itself (plain decimal digits). Throws
// std::invalid_argument for any other text.
double TextToNumber(std::string_view text);

// A whole, non-negative double as plain decimal digits: no blank, sign, point or exponent.
std::string NumberToText(double value);

// The number at the start of a text: leading blanks skipped, reading stops at the first
// character that cannot continue the number; 0 when there is none.
double LeadingNumber(std::string_view text);

// To the nearest integer, ties to even. Throw std::overflow_error outside the type's range.
int16_t RoundToInt16(double value);
int32_t RoundToInt32(double value);

// 32 random bits to a uniform single in [0, 1): only the top 24 bits are used, so the result is
// exact and can never round up to 1.
float UnitFromBits(uint32_t bits);

}  // namespace zentor
