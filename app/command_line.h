// The game's command line: no options for play, only --help and --version.
#pragma once

#include <string>
#include <vector>

namespace zentor {

enum class CommandAction { Play, Help, Version, Refuse };

struct CommandLine {
  CommandAction action;
  std::string text;  // what to print: the usage, the version, or the refusal with the usage
};

CommandLine ParseCommandLine(const std::vector<std::string>& args);

}  // namespace zentor
