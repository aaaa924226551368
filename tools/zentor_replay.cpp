// zentor-replay SCRIPT: plays a replay script against the game and prints its state lines.
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string_view>

#include "replay/replay.h"
#include "tools/screenshot.h"

int main(int argc, char** argv) {
  // Standard input read through a file buffer of its own, which reports a failed read as such
  // instead of as the end of the script.
  std::ios::sync_with_stdio(false);
  if (argc != 2) {
    std::cerr << "usage: zentor-replay SCRIPT (or - for standard input)\n";
    return zentor::kReplayError;
  }
  const std::string_view path = argv[1];
  zentor::ReplayOptions options;
  options.screenshot = zentor::ScreenshotWriterOrEmpty();
  if (path == "-") {
    options.scriptName = "standard input";
    return zentor::RunReplay(std::cin, std::cout, std::cerr, options);
  }
  std::ifstream script{std::string(path)};
  if (!script) {
    std::cerr << "zentor-replay: cannot open " << path << ": " << std::strerror(errno) << "\n";
    return zentor::kReplayError;
  }
  options.scriptName = path;
  return zentor::RunReplay(script, std::cout, std::cerr, options);
}
