#include "replay/script_player.h"

#include <optional>
#include <utility>

namespace zentor {

std::unique_ptr<ScriptPlayer> ScriptPlayer::Load(std::istream& script, std::string& error) {
  ScriptedGame dryRun;
  std::vector<ScriptCommand> commands;
  std::string line;
  uint64_t number = 0;
  while (!dryRun.Ended() && std::getline(script, line)) {
    ++number;
    try {
      std::optional<ScriptCommand> command = ParseScriptLine(line);
      if (!command || command->kind == ScriptCommand::Kind::Dump ||
          command->kind == ScriptCommand::Kind::Screenshot) {
        continue;
      }
      dryRun.Run(*command);
      commands.push_back(std::move(*command));
    } catch (const std::exception& fault) {
      error = "line " + std::to_string(number) + ": " + fault.what();
      return nullptr;
    }
  }
  return std::unique_ptr<ScriptPlayer>(new ScriptPlayer(std::move(commands)));
}

ScriptPlayer::ScriptPlayer(std::vector<ScriptCommand> commands) : commands_(std::move(commands)) {}

void ScriptPlayer::OnMessageBox(MessageBoxShower show) {
  scripted_.host().onMessageBox = std::move(show);
}

bool ScriptPlayer::Advance() {
  while (More()) {
    const ScriptCommand& command = commands_[next_];
    if (command.kind != ScriptCommand::Kind::Tick) {
      scripted_.Run(command);
      ++next_;
      continue;
    }
    if (ticksDone_ < command.ticks && scripted_.Tick()) {
      if (++ticksDone_ == command.ticks) {
        ++next_;
        ticksDone_ = 0;
      }
      return More();
    }
    ++next_;
    ticksDone_ = 0;
  }
  return false;
}

}  // namespace zentor
