// zentor-replay SCRIPT: plays a replay script, or the game a shared link holds, against the game
// and prints its state lines.
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "replay/replay.h"
#include "replay/share_link.h"
#include "system/program.h"
#include "tools/screenshot.h"

int main(int argc, char** argv) {
  // The same bytes out as on every system. Standard input read through a file buffer of its own,
  // which reports a failed read as such instead of as the end of the script.
  zentor::UseStandardStreamsAsBytes();
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> arguments = zentor::ProgramArguments(argc, argv);
  constexpr std::string_view kUsage =
      "usage: zentor-replay SCRIPT (or - for standard input, or a link with #play=)\n";
  if (arguments.size() != 1) {
    std::cerr << kUsage;
    return zentor::kReplayError;
  }
  const std::string& path = arguments.front();
  if (path == "--help") {
    std::cout << kUsage;
    return 0;
  }
  // A script named with a leading dash is given as ./-NAME, as to any program.
  if (path.size() > 1 && path.front() == '-' && !zentor::IsShareLink(path)) {
    std::cerr << "zentor-replay: unrecognized option '" << path << "'\n";
    return zentor::kReplayError;
  }
  zentor::ReplayOptions options;
  options.screenshot = zentor::ScreenshotWriterOrEmpty();
  if (path == "-") {
    options.scriptName = "standard input";
    return zentor::RunReplay(std::cin, std::cout, std::cerr, options);
  }
  std::string refusal;
  const std::unique_ptr<std::istream> script = zentor::OpenScript(path, refusal);
  if (!script) {
    std::cerr << "zentor-replay: " << refusal << "\n";
    return zentor::kReplayError;
  }
  options.scriptName = zentor::ScriptNameOf(path);
  return zentor::RunReplay(*script, std::cout, std::cerr, options);
}
