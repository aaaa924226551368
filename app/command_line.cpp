#include "command_line.h"

#ifndef ZENTOR_VERSION
#error "the build defines ZENTOR_VERSION"
#endif

namespace zentor {
namespace {

constexpr const char* kUsage =
    "Usage: zentor [--help | --version]\n"
    "Steer the black square with the arrow keys and dodge the rocks.\n"
    "Space starts or resumes the game, P pauses it, F11 toggles full screen.\n";

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  if (args.empty()) {
    return {CommandAction::Play, ""};
  }
  const std::string& first = args[0];
  if (args.size() == 1 && (first == "--help" || first == "-h")) {
    return {CommandAction::Help, kUsage};
  }
  if (args.size() == 1 && first == "--version") {
    return {CommandAction::Version, std::string("zentor ") + ZENTOR_VERSION + "\n"};
  }
  const std::string& unknown = (first == "--help" || first == "--version") ? args[1] : first;
  return {CommandAction::Refuse, "zentor: unknown argument '" + unknown + "'.\n" + kUsage};
}

}  // namespace zentor
