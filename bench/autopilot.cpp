#include "autopilot.h"

#include <random>

#include "playfield/convert.h"

namespace zentor::bench {
namespace {

constexpr size_t kQueueLength = 4096;

const std::array<float, kQueueLength>& Queue() {
  static const std::array<float, kQueueLength> queue = [] {
    std::array<float, kQueueLength> values{};
    std::mt19937 bits(5500);
    for (float& value : values) {
      value = UnitFromBits(static_cast<uint32_t>(bits()));
    }
    return values;
  }();
  return queue;
}

}  // namespace

float QueueHost::NextRandom() {
  const float value = Queue()[next % kQueueLength];
  ++next;
  return value;
}

void Steer(Game& game, const Turn& turn) {
  if (turn.stepX != game.StepX) {
    if (turn.stepX == 0) {
      OnKeyUp(game, kKeyLeft, 0);
    } else {
      OnKeyDown(game, turn.stepX < 0 ? kKeyLeft : kKeyRight, 0);
    }
  }
  if (turn.stepY != game.StepY) {
    if (turn.stepY == 0) {
      OnKeyUp(game, kKeyUp, 0);
    } else {
      OnKeyDown(game, turn.stepY < 0 ? kKeyUp : kKeyDown, 0);
    }
  }
}

void StartGame(Game& game) {
  static_cast<QueueHost&>(game.host).next = 0;
  OnLoad(game);
  OnKeyDown(game, kKeySpace, 0);
}

float Clearance(const Form& form) {
  const Shape& red = form.Red;
  float nearest = std::numeric_limits<float>::max();
  for (const Shape& rock : form.Rock) {
    const float gapX =
        std::max(rock.Left - (red.Left + red.Width), red.Left - (rock.Left + rock.Width));
    const float gapY =
        std::max(rock.Top - (red.Top + red.Height), red.Top - (rock.Top + rock.Height));
    nearest = std::min(nearest, std::max(gapX, gapY));
  }
  return nearest;
}

std::optional<std::vector<Turn>> FindSurvivingPath(int ticks) {
  QueueHost host;
  Game game(host);
  StartGame(game);
  return FindSurvivingPath(game, host, ticks);
}

}  // namespace zentor::bench
