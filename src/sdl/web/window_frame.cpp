// The frame the game reads in a page: the desktop window's default frame at scale 1, the one
// zentor-replay reads, whatever the browser window's place and size: the rocks' limits are the
// desktop window's.
#include "replay/script.h"
#include "sdl/window.h"

namespace zentor {

WindowFrame Window::Frame(const Form&) const {
  return kDefaultFrame;
}

}  // namespace zentor
