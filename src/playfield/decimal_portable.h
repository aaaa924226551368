// Decimal text through the C library's printf and strtod, for standard libraries without
// floating-point std::to_chars and std::from_chars: the functions of decimal.h, with the same
// results as those of the standard library.
#pragma once

#include "playfield/decimal.h"

namespace zentor::portable {

std::string ShortestDecimal(float value);
std::string WholeDecimal(double value);
std::optional<ReadDecimal<float>> ReadSingle(std::string_view text);
std::optional<ReadDecimal<double>> ReadDouble(std::string_view text);

}  // namespace zentor::portable
