// zentor.exe is a window program: Explorer opens no console for it, and Windows gives it standard
// output and error only when its starter passed them on (a pipe, a file, the shell under Wine).
// Otherwise it writes to the console it was started from, if any, as a console program would;
// and when there is none either, a bad start's sentence is kept and shown in a box, the only
// place the player sees it.
#include "console.h"

#include <windows.h>

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

#include "system/windows/streams.h"
#include "system/windows/utf16.h"

namespace zentor {
namespace {

// Sentences that nobody could read, while there is no standard error. Never destroyed: standard
// error may still be flushed into it as the program ends.
std::ostringstream& Unread() {
  static auto* unread = new std::ostringstream;
  return *unread;
}

constexpr const wchar_t* kBoxTitle = L"Zentor";

}  // namespace

void FindConsole() {
  const bool output = Leads(STD_OUTPUT_HANDLE);
  const bool error = Leads(STD_ERROR_HANDLE);
  // Attached, the game hears Ctrl-C in that console too. Streams that lead somewhere already keep
  // leading there: the C library took their handles when the program started.
  if (AttachConsole(ATTACH_PARENT_PROCESS)) {
    if (!output) {
      std::freopen("CONOUT$", "w", stdout);
    }
    if (!error) {
      std::freopen("CONOUT$", "w", stderr);
    }
    return;
  }
  if (!error) {
    std::cerr.rdbuf(Unread().rdbuf());
  }
}

int EndWith(int status) {
  const std::string sentences = Unread().str();
  if (status != 0 && !sentences.empty()) {
    MessageBoxW(nullptr, Utf16(sentences).c_str(), kBoxTitle, MB_OK | MB_ICONERROR);
  }
  return status;
}

}  // namespace zentor
