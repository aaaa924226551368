// The page around the game, in a browser: its own controls (the touch pad, Start and Pause, the
// push buttons' twins) come to the game as keys and clicks, and it hears where the game stands
// and what it says. A desktop window has no page around it: there (page.cpp) nothing comes and
// nothing is told; in a page, web/page.cpp.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <optional>

#include "host/inputs.h"
#include "host/words.h"
#include "playfield/controls.h"

namespace zentor {

// A key pressed or let go, or a push button clicked.
struct PageControl {
  int16_t code;  // the game's key code; none for a click
  bool down;
  ButtonId button = ButtonId::None;
};

// The page control that an event from the page's queue carries, if it is one.
std::optional<PageControl> ReadPageControl(const SDL_Event& event);

// Tells the page where the game stands now.
void TellPage(PlayState state);
// Tells the page what the game says now.
void TellPage(const Words& words);

}  // namespace zentor
