// Decimal text through the C library, where the standard library has no floating-point
// std::to_chars and std::from_chars.
#include "playfield/decimal_portable.h"

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
