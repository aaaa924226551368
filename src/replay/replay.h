// The scripted host: runs a replay script against the game and prints its state as JSON lines.
#pragma once

#include <cstdint>
#include <functional>
#include <istream>
#include <ostream>
#include <string>

#include "game/game.h"

namespace zentor {

// Writes the window's picture as PNG; throws std::runtime_error when it cannot.
using ScreenshotWriter = std::function<void(const Form& form, const std::string& path)>;

struct ReplayOptions {
  ScreenshotWriter screenshot;       // empty: the command reports that pictures are not available
  uint64_t tickBudget = UINT64_MAX;  // ticks the whole script may run before it is refused
  std::string scriptName = "-";      // the script as the sentence for a failed read names it
};

inline constexpr int kReplayOk = 0;
inline constexpr int kReplayError = 2;

// Runs the script line by line. Returns kReplayOk at its end or at the game's end operation, and
// kReplayError after one line on err: "zentor-replay: line N: what is wrong" for a line, or
// "zentor-replay: NAME: reason" when the script cannot be read or memory runs out.
int RunReplay(std::istream& script, std::ostream& out, std::ostream& err,
              const ReplayOptions& options);

// The state line of the dump command.
std::string StateLine(const Game& game, uint64_t reseeds);

}  // namespace zentor
