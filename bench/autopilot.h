// A player for the benchmarks and the soak: a depth-first search for steps along which the square
// survives a given number of ticks, and a fixed game (a fixed random queue and the path found
// for it) for the benchmarks.
#pragma once

#include <algorithm>
#include <array>
#include <concepts>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "game/game.h"

namespace zentor::bench {

// Draws from one fixed table of uniform numbers, in order, from the start again at its end.
class QueueHost : public Host {
 public:
  void MessageBox(std::string_view, int32_t, std::string_view) override { ++boxes; }
  void End() override {}
  void Reseed() override {}
  float NextRandom() override;
  WindowFrame Frame() const override { return {0, 0, 15000, 12750}; }

  size_t next = 0;  // index of the next draw
  uint64_t boxes = 0;
};

// From this tick on (counted from where the search began), the arrows held give these steps.
struct Turn {
  int tick;
  int16_t stepX;
  int16_t stepY;
};

// Presses and releases the arrows that change the held steps to the turn's.
void Steer(Game& game, const Turn& turn);

// A loaded game with the clock running, its host at the start of the queue.
void StartGame(Game& game);

// The room between the square and the nearest rock, in twips; negative when they overlap.
float Clearance(const Form& form);

// A host the search can copy: the copy draws what the original would, and counts the game-over
// boxes.
template <class H>
concept SearchHost = std::derived_from<H, Host> && std::copyable<H> && requires(H host) {
  { host.boxes } -> std::convertible_to<uint64_t>;
};

// Turns along which `game` (whose host is `host`) runs `ticks` ticks without a game over, or
// nothing when none is found within `budget` simulated ticks. Neither the game nor its host is
// touched. Every few ticks the search tries the steps whose first tick leaves the most room
// around the square first, and undoes a choice that leads to a collision.
template <SearchHost H>
std::optional<std::vector<Turn>> FindSurvivingPath(const Game& game, const H& host, int ticks,
                                                   int64_t budget = INT64_MAX) {
  constexpr int kTicksPerChoice = 4;
  constexpr std::array<int16_t, 3> kSteps = {0, -200, 200};
  struct Node {
    Game game;
    H host;
    int tick;
    std::vector<Turn> untried;  // the turns from here still to try, the most promising last
  };
  H sim = host;
  // Plays `count` ticks of the turn from the node's state into `out`; false when the game ends.
  const auto play = [&](const Node& node, const Turn& turn, int count, Game& out) {
    sim = node.host;
    const uint64_t boxes = sim.boxes;
    Steer(out, turn);
    for (int t = 0; t < count; ++t) {
      OnTimerTick(out);
    }
    budget -= count;
    return sim.boxes == boxes;
  };
  const auto expand = [&](Node& node) {
    std::vector<std::pair<float, Turn>> scored;
    for (const int16_t x : kSteps) {
      for (const int16_t y : kSteps) {
        const Turn turn{node.tick, x, y};
        Game trial(node.game);
        if (play(node, turn, 1, trial)) {
          scored.emplace_back(Clearance(trial.form), turn);
        }
      }
    }
    std::stable_sort(scored.begin(), scored.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [room, turn] : scored) {
      node.untried.push_back(turn);
    }
  };

  Game root(sim);
  root.form = game.form;
  root.StepX = game.StepX;
  root.StepY = game.StepY;
  root.RockSpeed = game.RockSpeed;
  std::vector<Node> stack;
  std::vector<Turn> path;
  stack.push_back({root, host, 0, {}});
  expand(stack.back());
  while (!stack.empty() && budget > 0) {
    Node& node = stack.back();
    if (node.tick >= ticks) {
      return path;
    }
    if (node.untried.empty()) {
      stack.pop_back();
      if (!path.empty()) {
        path.pop_back();
      }
      continue;
    }
    const Turn turn = node.untried.back();
    node.untried.pop_back();
    const int count = std::min(ticks - node.tick, kTicksPerChoice);
    Game next(node.game);
    if (!play(node, turn, count, next)) {
      continue;
    }
    path.push_back(turn);
    stack.push_back({std::move(next), sim, node.tick + count, {}});
    if (stack.back().tick < ticks) {
      expand(stack.back());
    }
  }
  return std::nullopt;
}

// The surviving path of a game started by StartGame, found once.
std::optional<std::vector<Turn>> FindSurvivingPath(int ticks);

}  // namespace zentor::bench
