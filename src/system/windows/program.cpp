// On Windows the arguments in main's argv are in the system's code page, which cannot name every
// file: they are taken again from the wide command line and turned into UTF-8. Standard streams
// open in text mode, which writes LF as CR LF and reads Ctrl-Z as the end.
#include "system/program.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

#include "system/windows/streams.h"
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

bool Leads(DWORD stream) {
  const HANDLE handle = GetStdHandle(stream);
  return handle && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// A stream that leads nowhere is left alone: the C library may take a mode change of it for a
// fault that ends the program.
void UseStandardStreamsAsBytes() {
  const struct {
    DWORD handle;
    std::FILE* stream;
  } streams[] = {
      {STD_INPUT_HANDLE, stdin}, {STD_OUTPUT_HANDLE, stdout}, {STD_ERROR_HANDLE, stderr}};
  for (const auto& s : streams) {
    if (Leads(s.handle)) {
      _setmode(_fileno(s.stream), _O_BINARY);
    }
  }
}

}  // namespace zentor
