// What a program is given by the system: its arguments, and standard input and output. Each
// system has its own file of the same name: program.cpp on Linux and in a page,
// windows/program.cpp on Windows.
#pragma once

#include <string>
#include <vector>

namespace zentor {

// The arguments after the program's name, in UTF-8 whatever the system's own encoding.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Standard input, output and error carry bytes as they are, with no line end turned into
// another: a program's output is then the same bytes on every system.
void UseStandardStreamsAsBytes();

}  // namespace zentor
