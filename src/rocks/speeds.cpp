#include <cmath>
#include <stdexcept>

#include "playfield/convert.h"
#include "rocks/rocks.h"

namespace zentor {
namespace {

int16_t Checked16(int32_t value) {
  if (value < INT16_MIN || value > INT16_MAX) {
    throw std::overflow_error("overflow");
  }
  return static_cast<int16_t>(value);
}

}  // namespace

int16_t RandomBetween(Game& game, int16_t lower, int16_t upper) {
  const float r = game.host.NextRandom();
  int16_t n = Checked16(upper - lower);
  n = Checked16(n + 1);
  // The product stays in double, so it is always below n and the floor never reaches it.
  const double k = std::floor(static_cast<double>(static_cast<float>(n)) * r);
  return RoundToInt16(k + static_cast<float>(lower));
}

}  // namespace zentor
