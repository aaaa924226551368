// A replay script watched in the game's window at the game's pace: zentor --play FILE.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "replay/script_player.h"

namespace zentor {

class ScriptPlayback {
 public:
  // Reads and checks the whole script before any window opens; nothing, and the sentence for
  // the player, when it cannot be played.
  static std::optional<ScriptPlayback> Load(const std::string& path, std::string& refusal);

  // Shows the script in a window until the player closes it or the script ends the game.
  // Returns the exit status.
  int Run(const std::string& fontFile);

 private:
  explicit ScriptPlayback(std::unique_ptr<ScriptPlayer> player) : player_(std::move(player)) {}

  std::unique_ptr<ScriptPlayer> player_;
};

}  // namespace zentor
