// The game's command line: play, record the game played, or watch a replay script.
#pragma once

#include <string>
#include <vector>

namespace zentor {

enum class CommandAction { Play, Help, Version, Refuse };

struct CommandLine {
  CommandAction action;
  std::string text;    // what to print: the usage, the version, or the refusal
  std::string record;  // --record FILE: write the game played to this new file
  std::string play;    // --play FILE: watch this replay script instead of playing
};

// Reads the arguments after the program's name, with the usual conventions: `--record FILE` or
// `--record=FILE`, `--` ends the options. A refusal is one sentence, then the usage.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

}  // namespace zentor
