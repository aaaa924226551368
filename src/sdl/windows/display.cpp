// On Windows there is always a display. Ctrl-C and Ctrl-Break in the console the game was started
// from, or that console closed, end it at once with status 0, as the signals do on Linux. The
// process is aware of each monitor's DPI (so is its manifest, windows/zentor.manifest): Windows
// does not stretch its picture on a scaled screen, and SDL's units are the screen's pixels.
#include "sdl/display.h"

#include <SDL.h>
#include <windows.h>

namespace zentor {
namespace {

// Called on a thread of its own. Ending without any clean-up loses nothing: the game saves
// nothing but a recording, which is written through.
BOOL WINAPI EndNow(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) {
    return FALSE;
  }
  TerminateProcess(GetCurrentProcess(), 0);
  return TRUE;
}

}  // namespace

void EndOnSignals() {
  SetConsoleCtrlHandler(EndNow, TRUE);
}

std::optional<std::string> PrepareDisplay(bool) {
  SDL_SetHint(SDL_HINT_WINDOWS_DPI_AWARENESS, "permonitorv2");
  return std::nullopt;
}

std::string NoWindowSentence() {
  return std::string("cannot open a window: ") + SDL_GetError();
}

double DesktopScale() {
  return 1;
}

bool ShowsWindowIcon() {
  return true;
}

}  // namespace zentor
