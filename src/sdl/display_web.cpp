// In a page the canvas is the window and the page its display: there is always one, and no X11.
#include "sdl/display.h"

namespace zentor {

std::optional<std::string> PrepareDisplay(bool) {
  return std::nullopt;
}

}  // namespace zentor
