// A replay script played step by step, one tick at a time, for watching it at the game's pace.
#pragma once

#include <cstdint>
#include <functional>
#include <istream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "game/game.h"
#include "replay/script.h"

namespace zentor {

class ScriptPlayer {
 public:
  using MessageBoxShower = std::function<void(std::string_view prompt, std::string_view title)>;

  // Reads the whole script and runs it once without showing anything, so that playing it cannot
  // fail midway. Nothing, and the replay reader's sentence ("line N: what is wrong", or the
  // reason alone when the script cannot be read or memory runs out), when it cannot be played.
  // Dump and screenshot lines are skipped.
  static std::unique_ptr<ScriptPlayer> Load(std::istream& script, std::string& error);

  ScriptPlayer(const ScriptPlayer&) = delete;
  ScriptPlayer& operator=(const ScriptPlayer&) = delete;

  // Called at each game-over box; returns when the box has been shown.
  void OnMessageBox(MessageBoxShower show);

  // Runs the commands up to and including the next tick (a `tick N` line gives N ticks, one a
  // call; ticks while Timer1 is disabled do nothing and are dropped, as a replay drops them).
  // Returns whether the script has more to run.
  bool Advance();

  // The script has ended the game (`click endgame` on a shown button).
  bool Ended() const { return scripted_.Ended(); }

  const Game& game() const { return scripted_.game(); }
  const Form& form() const { return scripted_.game().form; }
  uint64_t Reseeds() const { return scripted_.Reseeds(); }

 private:
  explicit ScriptPlayer(std::vector<ScriptCommand> commands);

  bool More() const { return !Ended() && next_ < commands_.size(); }

  std::vector<ScriptCommand> commands_;
  size_t next_ = 0;        // the command to run next
  int64_t ticksDone_ = 0;  // of the tick command at next_
  ScriptedGame scripted_;
};

}  // namespace zentor
