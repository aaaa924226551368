#include "sdl/display.h"

#include <SDL.h>
#include <signal.h>
#include <unistd.h>

#include <string_view>

#include "sdl/identity.h"
#include "sdl/x11_errors.h"

namespace zentor {
namespace {

// SIGTERM and SIGINT end the program at once, whatever it is doing, also while the game-over
// box runs its own loop inside a handler. Ending without any clean-up loses nothing: the game
// saves nothing but a recording, which is written through, and the display server frees the
// window with the connection. Only _exit is safe here; SDL_Quit and destructors are not.
void EndNow(int) {
  _exit(0);
}

}  // namespace

void EndOnSignals() {
  struct sigaction action {};
  action.sa_handler = EndNow;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
  // A recording that reaches the file size limit gets a failed write, which stops the recording
  // alone, instead of the signal that would end the game.
  action.sa_handler = SIG_IGN;
  sigaction(SIGXFSZ, &action, nullptr);
}

std::optional<std::string> PrepareDisplay(bool driverAskedFor) {
  SetDesktopIdentity();
  IgnoreLateWakeups();
  // Without a display SDL would go on with a window that nobody sees.
  if (!driverAskedFor && Unset("DISPLAY") && Unset("WAYLAND_DISPLAY")) {
    return "cannot open a window: no display found (set DISPLAY)";
  }
  return std::nullopt;
}

std::string NoWindowSentence() {
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  const char* x11 = std::getenv("DISPLAY");
  const char* display = x11 && *x11 ? x11 : wayland;
  const std::string reason = SDL_GetError();
  return std::string("cannot open a window on display ") + (display ? display : "") + ": " +
         (reason.empty() ? "it does not answer" : reason);
}

// SDL lists a scaled Wayland output's own mode, in pixels, above the desktop's, which is in
// points.
double DesktopScale() {
  const char* driver = SDL_GetCurrentVideoDriver();
  SDL_DisplayMode desktop;
  SDL_DisplayMode largest;
  if (!driver || std::string_view(driver) != "wayland" ||
      SDL_GetDesktopDisplayMode(0, &desktop) != 0 || SDL_GetDisplayMode(0, 0, &largest) != 0 ||
      desktop.w <= 0 || largest.w <= desktop.w) {
    return 1;
  }
  return static_cast<double>(largest.w) / desktop.w;
}

bool ShowsWindowIcon() {
  return true;
}

}  // namespace zentor
