#include "replay/script_player.h"

#include <optional>
#include <utility>

#include "replay/script_lines.h"

namespace zentor {

std::unique_ptr<ScriptPlayer> ScriptPlayer::Load(std::istream& script, std::string& error) {
  ScriptedGame dryRun;
  std::vector<ScriptCommand> commands;
  const std::optional<ScriptFault> fault = RunScript(script, [&](ScriptCommand& command) {
    if (command.kind != ScriptCommand::Kind::Dump &&
        command.kind != ScriptCommand::Kind::Screenshot) {
      dryRun.Run(command);
      commands.push_back(std::move(command));
    }
    return !dryRun.Ended();
  });
  if (fault) {
    error = fault->line > 0 ? "line " + std::to_string(fault->line) + ": " + fault->reason
                            : fault->reason;
    return nullptr;
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
