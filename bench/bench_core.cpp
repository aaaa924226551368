// The game core's costs: one tick over a whole game, played directly and through the window's
// session with and without a recording, and the start-up of the window's records.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "autopilot.h"
#include "replay/recorder.h"

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

// Presses and releases through the session the arrows that change the held steps to the turn's.
void Steer(Session& session, const Turn& turn) {
  const Game& game = session.game();
  if (turn.stepX != game.StepX) {
    if (turn.stepX == 0) {
      session.KeyUp(kKeyLeft);
    } else {
      session.KeyDown(turn.stepX < 0 ? kKeyLeft : kKeyRight);
    }
  }
  if (turn.stepY != game.StepY) {
    if (turn.stepY == 0) {
      session.KeyUp(kKeyUp);
    } else {
      session.KeyDown(turn.stepY < 0 ? kKeyUp : kKeyDown);
    }
  }
}

// A new recording file in a directory of the benchmark's own, or none.
class RecordingFiles {
 public:
  RecordingFiles() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zentor-bench-XXXXXX").string();
    if (mkdtemp(pattern.data())) {
      directory_ = pattern;
    }
  }
  ~RecordingFiles() {
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
  }
  RecordingFiles(const RecordingFiles&) = delete;
  RecordingFiles& operator=(const RecordingFiles&) = delete;

  std::unique_ptr<Recording> Next() {
    std::filesystem::remove(Path());
    std::string error;
    return OpenRecording(Path(), "bench", "now", error);
  }
  uintmax_t Size() const { return std::filesystem::file_size(Path()); }

 private:
  std::string Path() const { return directory_ + "/game.replay"; }
  std::string directory_;
};

// One iteration is one tick of the same game as BM_Tick's, driven as the window drives it:
// through a session, recording nothing (argument 0) or written through to a file in the
// temporary directory (argument 1). The recording of each whole game (to past 5000) is
// reported in bytes.
void BM_SessionTick(benchmark::State& state) {
  if (Path().empty()) {
    state.SkipWithError("no surviving path");
    return;
  }
  const bool recorded = state.range(0) != 0;
  RecordingFiles files;
  QueueHost host;
  std::optional<Session> session;
  const auto start = [&] {
    std::unique_ptr<Recording> recording = recorded ? files.Next() : nullptr;
    if (recorded && !recording) {
      return false;
    }
    host.next = 0;
    session.emplace(host, std::move(recording));
    session->Load();
    session->KeyDown(kKeySpace);
    return true;
  };
  if (!start()) {
    state.SkipWithError("cannot make a recording file");
    return;
  }
  int tick = 0;
  size_t turn = 0;
  uintmax_t bytes = 0;
  for (auto _ : state) {
    if (turn < Path().size() && Path()[turn].tick == tick) {
      Steer(*session, Path()[turn++]);
    }
    session->Tick();
    if (++tick == kGameTicks) {
      state.PauseTiming();
      if (host.boxes != 0 || !session->form().Timer1.Enabled) {
        state.SkipWithError("the game ended before its last tick");
        break;
      }
      bytes = recorded ? files.Size() : 0;
      start();
      tick = 0;
      turn = 0;
      state.ResumeTiming();
    }
  }
  state.counters["recording_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_SessionTick)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(static_cast<benchmark::IterationCount>(kGameTicks) * kGames);

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
