// A desktop window has no page around it.
#include "sdl/page.h"

namespace zentor {

std::optional<PageControl> ReadPageControl(const SDL_Event&) {
  return std::nullopt;
}

void TellPage(PlayState) {}

void TellPage(const Words&) {}

}  // namespace zentor
