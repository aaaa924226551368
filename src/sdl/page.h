// The page around the game, in a browser: its own controls (the touch pad, Start and Pause) come
// to the game as keys, and it hears where the game stands. A desktop window has no page around
// it: there (page.cpp) nothing comes and nothing is told; in a page, web/page.cpp.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <optional>

#include "host/inputs.h"

namespace zentor {

struct PageControl {
  int16_t code;  // the game's key code
  bool down;
};

// The page control that an event from the page's queue carries, if it is one.
std::optional<PageControl> ReadPageControl(const SDL_Event& event);

// Tells the page where the game stands now.
void TellPage(PlayState state);

}  // namespace zentor
