// The game core's costs: one tick over a whole game, and the start-up of the window's records.
#include <benchmark/benchmark.h>

#include <optional>
#include <vector>

#include "autopilot.h"

namespace zentor::bench {
namespace {

constexpr int kGameTicks = 5500;  // past the last stage change at 5000
constexpr int kGames = 200;

// Empty when the search finds no way through, which the benchmark reports as an error.
const std::vector<Turn>& Path() {
  static const std::vector<Turn> path = FindSurvivingPath(kGameTicks).value_or(std::vector<Turn>{});
  return path;
}

// One iteration is one tick of a game played along the fixed path; after its last tick the game
// starts again from a copy, outside the timed region. The iterations make whole games.
void BM_Tick(benchmark::State& state) {
  if (Path().empty()) {
    state.SkipWithError("no surviving path");
    return;
  }
  QueueHost host;
  const Game start = [&] {
    Game game(host);
    StartGame(game);
    return game;
  }();
  const size_t startDraws = host.next;
  std::optional<Game> game(start);
  int tick = 0;
  size_t turn = 0;
  for (auto _ : state) {
    if (turn < Path().size() && Path()[turn].tick == tick) {
      Steer(*game, Path()[turn++]);
    }
    OnTimerTick(*game);
    if (++tick == kGameTicks) {
      state.PauseTiming();
      if (host.boxes != 0 || !game->form.Timer1.Enabled) {
        state.SkipWithError("the game ended before its last tick");
        break;
      }
      game.emplace(start);
      host.next = startDraws;
      tick = 0;
      turn = 0;
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_Tick)->Iterations(static_cast<benchmark::IterationCount>(kGameTicks) * kGames);

void BM_Startup(benchmark::State& state) {
  for (auto _ : state) {
    QueueHost host;
    Game game(host);
    OnLoad(game);
    benchmark::DoNotOptimize(game);
  }
}
BENCHMARK(BM_Startup);

}  // namespace
}  // namespace zentor::bench
