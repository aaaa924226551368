// Here arguments are the bytes the shell gave, UTF-8 on today's systems, and standard streams
// never turn line ends.
#include "system/program.h"

namespace zentor {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

void UseStandardStreamsAsBytes() {}

}  // namespace zentor
