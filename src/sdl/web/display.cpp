// In a page the canvas is the window and the page its display: there is always one, the page
// alone ends the program, and a CSS pixel is a point.
#include "sdl/display.h"

#include <SDL.h>

namespace zentor {

void EndOnSignals() {}

std::optional<std::string> PrepareDisplay(bool) {
  return std::nullopt;
}

std::string NoWindowSentence() {
  return std::string("cannot draw in the page: ") + SDL_GetError();
}

double DesktopScale() {
  return 1;
}

bool ShowsWindowIcon() {
  return false;
}

}  // namespace zentor
