// On Windows the arguments in main's argv are in the system's code page, which cannot name every
// file: they are taken again from the wide command line and turned into UTF-8. Standard streams
// open in text mode, which writes LF as CR LF and reads Ctrl-Z as the end.
#include "system/program.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

#include "system/windows/utf16.h"

namespace zentor {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) {
    return std::vector<std::string>(argv + 1, argv + argc);
  }
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) {
    arguments.push_back(Utf8(wide[i]));
  }
  LocalFree(wide);
  return arguments;
}

void UseStandardStreamsAsBytes() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

}  // namespace zentor
