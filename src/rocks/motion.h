// The two shapes every rock routine takes: move the started rocks of a group, or reseed and send
// the rocks of a group that are beyond a limit back to their entry edge with a new speed.
#pragma once

#include <array>
#include <cstdint>

#include "game/game.h"

namespace zentor {

// Rocks First to Last, both included, walked in ascending order.
struct RockGroup {
  int First;
  int Last;
};

enum class Axis { Left, Top };
enum class Direction { Forward = 1, Back = -1 };  // forward is right or down

// Per rock, the score from a stage's first score at which the rock starts to move.
using StartOffsets = std::array<int16_t, kRockCount>;

void MoveStartedRocks(Game& game, RockGroup group, Axis axis, Direction direction,
                      double stageFirstScore, const StartOffsets& offsets);

using OutTest = bool (*)(const Game& game, const Shape& rock);

void RecycleRocks(Game& game, RockGroup group, OutTest isOut, Axis axis, float entry,
                  int16_t highestSpeed);

}  // namespace zentor
