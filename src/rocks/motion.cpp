#include "rocks/motion.h"

#include "rocks/rocks.h"

namespace zentor {
namespace {

float& Coordinate(Shape& rock, Axis axis) { return axis == Axis::Left ? rock.Left : rock.Top; }

}  // namespace

void MoveStartedRocks(Game& game, RockGroup group, Axis axis, Direction direction,
                      double stageFirstScore, const StartOffsets& offsets) {
  for (int i = group.First; i <= group.Last; ++i) {
    if (ScoreValue(game) >= stageFirstScore + offsets[i]) {
      float& position = Coordinate(game.form.Rock[i], axis);
      const double step = static_cast<float>(game.RockSpeed[i]) * static_cast<int>(direction);
      position = static_cast<float>(static_cast<double>(position) + step);
    }
  }
}

void RecycleRocks(Game& game, RockGroup group, OutTest isOut, Axis axis, float entry,
                  int16_t highestSpeed) {
  game.host.Reseed();
  for (int i = group.First; i <= group.Last; ++i) {
    Shape& rock = game.form.Rock[i];
    if (isOut(game, rock)) {
      Coordinate(rock, axis) = entry;
      game.RockSpeed[i] = RandomBetween(game, kSpeedLow, highestSpeed);
    }
  }
}

}  // namespace zentor
