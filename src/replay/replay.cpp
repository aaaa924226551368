#include "replay/replay.h"

#include <optional>
#include <stdexcept>

#include "replay/script.h"
#include "replay/script_lines.h"

namespace zentor {
namespace {

// Dump and screenshot, which show the game; the scripted game runs every other command.
void Show(const ScriptCommand& command, const ScriptedGame& scripted, std::ostream& out,
          const ReplayOptions& options) {
  if (command.kind == ScriptCommand::Kind::Dump) {
    out << StateLine(scripted.game(), scripted.Reseeds()) << '\n';
    return;
  }
  if (!options.screenshot) {
    throw ScriptError("screenshot is not available in this build");
  }
  try {
    options.screenshot(scripted.game().form, command.path);
  } catch (const std::runtime_error& error) {
    throw ScriptError(error.what());
  }
}

}  // namespace

int RunReplay(std::istream& script, std::ostream& out, std::ostream& err,
              const ReplayOptions& options) {
  ScriptedGame scripted;
  scripted.tickBudget = options.tickBudget;
  scripted.host().onMessageBox = [&out](std::string_view prompt, std::string_view title) {
    out << "{\"event\":\"msgbox\",\"prompt\":\"" << prompt << "\",\"title\":\"" << title << "\"}\n";
  };
  scripted.host().onEnd = [&out] { out << "{\"event\":\"end\"}\n"; };
  const std::optional<ScriptFault> fault = RunScript(script, [&](const ScriptCommand& command) {
    if (command.kind == ScriptCommand::Kind::Dump ||
        command.kind == ScriptCommand::Kind::Screenshot) {
      Show(command, scripted, out, options);
    } else {
      scripted.Run(command);
    }
    return !scripted.Ended();
  });
  out.flush();
  if (!fault) {
    return kReplayOk;
  }
  err << "zentor-replay: ";
  if (fault->line > 0) {
    err << "line " << fault->line;
  } else {
    err << options.scriptName;
  }
  err << ": " << fault->reason << '\n';
  return kReplayError;
}

}  // namespace zentor
