// zentor: the game in its desktop window, or a replay script watched in it.
#include <iostream>
#include <string>
#include <vector>

#include "command_line.h"
#include "console.h"
#include "sdl/desktop.h"
#include "system/program.h"

int main(int argc, char** argv) {
  constexpr int kUsageError = 2;
  zentor::FindConsole();
  zentor::UseStandardStreamsAsBytes();
  const zentor::CommandLine line = zentor::ParseCommandLine(zentor::ProgramArguments(argc, argv));
  switch (line.action) {
    case zentor::CommandAction::Help:
    case zentor::CommandAction::Version:
      std::cout << line.text;
      return 0;
    case zentor::CommandAction::Refuse:
      std::cerr << line.text;
      return zentor::EndWith(kUsageError);
    case zentor::CommandAction::Play:
      break;
  }
  return zentor::EndWith(zentor::RunDesktop({line.record, line.play}));
}
