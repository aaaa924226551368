// The drawing's cost: one whole frame of a game in its second stage, the banner crossing the
// field, drawn offscreen with the software renderer at the window's size and at twice it. The
// picture is drawn once before the timed frames, so every text is already rasterised.
#include <benchmark/benchmark.h>

#include <optional>
#include <stdexcept>
#include <vector>

#include "autopilot.h"
#include "picture/offscreen.h"
#include "picture/shapes.h"
#include "picture/viewport.h"

namespace zentor::bench {
namespace {

constexpr int kSceneTick = 1030;  // the banner halfway down, the rocks sliding in from the right
constexpr int kPlayedTicks = 400;

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

// The frames of play from the scene on, one a tick, along the same path.
const std::vector<Form>& PlayedForms() {
  static const std::vector<Form> forms = [] {
    std::vector<Form> played;
    QueueHost host;
    Game game(host);
    StartGame(game);
    const std::vector<Turn> path =
        FindSurvivingPath(kSceneTick + kPlayedTicks).value_or(std::vector<Turn>{});
    size_t turn = 0;
    for (int tick = 0; tick < kSceneTick + kPlayedTicks && game.form.Timer1.Enabled; ++tick) {
      while (turn < path.size() && path[turn].tick == tick) {
        Steer(game, path[turn++]);
      }
      OnTimerTick(game);
      if (tick >= kSceneTick) {
        played.push_back(game.form);
      }
    }
    return played;
  }();
  return forms;
}

// One iteration is the frame the desktop window draws after one tick of play at the given size:
// only what the tick changed, the new score rasterised.
void BM_DrawPlayedFrame(benchmark::State& state, int width, int height) {
  const std::vector<Form>& forms = PlayedForms();
  if (forms.size() != static_cast<size_t>(kPlayedTicks)) {
    state.SkipWithError("the game ended before its last tick");
    return;
  }
  std::optional<OffscreenPicture> picture;
  try {
    picture.emplace(width, height);
  } catch (const std::runtime_error& error) {
    state.SkipWithError(error.what());
    return;
  }
  picture->DrawChanges(forms.back());
  const uint64_t ovals = picture->Cache().OvalsRasterised();
  size_t next = 0;
  uint64_t pixels = 0;
  for (auto _ : state) {
    for (const SDL_Rect& area : picture->DrawChanges(forms[next]).areas) {
      pixels += static_cast<uint64_t>(area.w) * static_cast<uint64_t>(area.h);
    }
    next = (next + 1) % forms.size();
  }
  state.counters["pixels_per_frame"] =
      benchmark::Counter(static_cast<double>(pixels), benchmark::Counter::kAvgIterations);
  state.counters["ovals_rasterised"] =
      static_cast<double>(picture->Cache().OvalsRasterised() - ovals);
}
// The window at 1x and 2x, full screen on 3840 x 2160 (scale 2.631) and a window of 1500 x 1241
// (scale 1.512).
BENCHMARK_CAPTURE(BM_DrawPlayedFrame, scale_1, kPictureWidth, kPictureHeight)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DrawPlayedFrame, scale_2, 2 * kPictureWidth, 2 * kPictureHeight)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DrawPlayedFrame, scale_2_631, 3840, 2160)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DrawPlayedFrame, scale_1_512, 1500, 1241)->Unit(benchmark::kMicrosecond);

// A rock rasterised afresh at full screen on 3840 x 2160, as when the window changes size.
void BM_RasteriseOval(benchmark::State& state) {
  constexpr int kSide = 190;
  constexpr int kStroke = 3;
  for (auto _ : state) {
    benchmark::DoNotOptimize(MakeOvalSurface(kSide, kSide, kStroke, FillStyle::Solid, 0x000080FF));
  }
}
BENCHMARK(BM_RasteriseOval)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zentor::bench
