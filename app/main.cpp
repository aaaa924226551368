// zentor: the game in its desktop window, or a replay script watched in it.
#include <iostream>
#include <string>
#include <vector>

#include "command_line.h"
#include "sdl/desktop.h"

int main(int argc, char** argv) {
  constexpr int kUsageError = 2;
  const zentor::CommandLine line =
      zentor::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  switch (line.action) {
    case zentor::CommandAction::Help:
    case zentor::CommandAction::Version:
      std::cout << line.text;
      return 0;
    case zentor::CommandAction::Refuse:
      std::cerr << line.text;
      return kUsageError;
    case zentor::CommandAction::Play:
      break;
  }
  return zentor::RunDesktop({line.record, line.play});
}
