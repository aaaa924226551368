// A replay script's lines as commands, and the scripted game that runs them: zentor-replay and
// the window's playback read and run a script with this one reader and this one game.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "game/game.h"
#include "host/session.h"

namespace zentor {

// Client area 14880 x 12315 inside this outer frame, at the top-left corner of the screen.
inline constexpr WindowFrame kDefaultFrame = {0, 0, 15000, 12750};

// A fault of the script itself, reported with its line number.
struct ScriptError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct ScriptCommand {
  enum class Kind {
    Load,
    Random,
    KeyDown,
    KeyUp,
    Tick,
    ClickRestart,
    ClickEndgame,
    Window,
    Dump,
    Screenshot
  };
  Kind kind = Kind::Load;
  std::vector<float> randoms{};  // Random: the values to queue, each 0 <= V < 1
  int16_t key = 0;               // KeyDown, KeyUp
  int64_t ticks = 0;             // Tick: how many, never negative
  WindowFrame frame{};           // Window
  std::string path{};            // Screenshot
};

// The command of one line, or nothing for a blank or comment line. Throws ScriptError.
std::optional<ScriptCommand> ParseScriptLine(std::string_view line);

// The line, without its end, that ParseScriptLine reads back as the same command: "keydown 37",
// "random 0.5 0.25", "tick 3" (the count always written), "window 0 0 15000 12750". Throws
// std::invalid_argument for a command no line can say: a random line without values, a
// screenshot path that is empty or holds a blank or '#'.
std::string FormatScriptLine(const ScriptCommand& command);

// Appends the shortest decimal that reads back as the same single, as script lines and state
// lines write numbers: "2527.5", "-150", "1e-07".
void AppendNumber(std::string& out, float value);

// The host of a scripted game: random numbers from a queue, the frame the script sets, reseeds
// counted; the message box and the end operation are told to whoever runs the script.
class ScriptedHost : public Host {
 public:
  void MessageBox(std::string_view prompt, int32_t buttons, std::string_view title) override;
  void End() override;
  void Reseed() override { ++reseeds_; }
  float NextRandom() override;
  WindowFrame Frame() const override { return frame_; }

  void Queue(const std::vector<float>& values);
  void SetFrame(const WindowFrame& frame) { frame_ = frame; }
  bool Ended() const { return ended_; }
  uint64_t Reseeds() const { return reseeds_; }

  std::function<void(std::string_view prompt, std::string_view title)> onMessageBox;
  std::function<void()> onEnd;

 private:
  std::deque<float> queue_;
  WindowFrame frame_ = kDefaultFrame;
  uint64_t reseeds_ = 0;
  bool ended_ = false;
};

// The window's records in their starting state, driven by script commands.
class ScriptedGame {
 public:
  ScriptedGame() = default;
  ScriptedGame(const ScriptedGame&) = delete;
  ScriptedGame& operator=(const ScriptedGame&) = delete;

  // Runs one command; `tick N` runs its ticks while Timer1 stays enabled. Dump and screenshot
  // only show the game, which is for the caller to do: here they do nothing. Throws ScriptError.
  void Run(const ScriptCommand& command);
  // One tick of the clock, which ticks only while Timer1 is enabled: whether it ticked.
  bool Tick();

  ScriptedHost& host() { return host_; }
  const Game& game() const { return session_.game(); }
  bool Ended() const { return host_.Ended(); }
  uint64_t Reseeds() const { return host_.Reseeds(); }

  uint64_t tickBudget = UINT64_MAX;  // ticks this game may run before a tick is refused

 private:
  ScriptedHost host_;
  Session session_{host_};
  uint64_t ticksRun_ = 0;
};

}  // namespace zentor
