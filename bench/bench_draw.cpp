// The drawing's cost: one whole frame of a game in its second stage, the banner crossing the
// field, drawn offscreen with the software renderer at the window's size and at twice it. The
// picture is drawn once before the timed frames, so every text is already rasterised.
#include <benchmark/benchmark.h>

#include <optional>
#include <stdexcept>
#include <vector>

#include "autopilot.h"
#include "sdl/offscreen.h"
#include "sdl/viewport.h"

namespace zentor::bench {
namespace {

constexpr int kSceneTick = 1030;  // the banner halfway down, the rocks sliding in from the right

Form PlayScene() {
  QueueHost host;
  Game game(host);
  StartGame(game);
  const std::vector<Turn> path = FindSurvivingPath(kSceneTick).value_or(std::vector<Turn>{});
  size_t turn = 0;
  for (int tick = 0; tick < kSceneTick; ++tick) {
    while (turn < path.size() && path[turn].tick == tick) {
      Steer(game, path[turn++]);
    }
    OnTimerTick(game);
  }
  return game.form;
}

// Played once: the benchmark runs its function several times to settle the iteration count.
const Form& MidGameForm() {
  static const Form form = PlayScene();
  return form;
}

void DrawFrame(benchmark::State& state, int scale) {
  const Form& form = MidGameForm();
  if (!form.Timer1.Enabled) {
    state.SkipWithError("the scene's game ended before its tick");
    return;
  }
  std::optional<OffscreenPicture> picture;
  try {
    picture.emplace(kPictureWidth * scale, kPictureHeight * scale);
  } catch (const std::runtime_error& error) {
    state.SkipWithError(error.what());
    return;
  }
  picture->Draw(form);
  for (auto _ : state) {
    picture->Draw(form);
  }
  state.counters["texts_rasterised"] = static_cast<double>(picture->Cache().TextRasterised());
}

void BM_DrawFrame(benchmark::State& state) {
  DrawFrame(state, 1);
}
void BM_DrawFrame2x(benchmark::State& state) {
  DrawFrame(state, 2);
}
BENCHMARK(BM_DrawFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawFrame2x)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zentor::bench
