// zentor-replay SCRIPT: plays a replay script against the game and prints its state lines.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string_view>

#include "replay/replay.h"
#include "tools/screenshot.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: zentor-replay SCRIPT (or - for standard input)\n";
    return zentor::kReplayError;
  }
  const std::string_view path = argv[1];
  zentor::ReplayOptions options;
  options.screenshot = zentor::ScreenshotWriterOrEmpty();
  if (path == "-") {
    return zentor::RunReplay(std::cin, std::cout, std::cerr, options);
  }
  std::ifstream script{std::string(path)};
  // A directory opens as a stream that reads nothing: it would replay as an empty script.
  const int fault = !script ? errno : std::filesystem::is_directory(path) ? EISDIR : 0;
  if (fault != 0) {
    std::cerr << "zentor-replay: cannot open " << path << ": " << std::strerror(fault) << "\n";
    return zentor::kReplayError;
  }
  return zentor::RunReplay(script, std::cout, std::cerr, options);
}
