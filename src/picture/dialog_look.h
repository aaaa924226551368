// The game-over box's picture: the game's own message box, drawn over the window's picture.
#pragma once

#include <SDL.h>

#include <string>

#include "picture/form.h"
#include "picture/viewport.h"

namespace zentor {

// The game's own message box, drawn over the picture: centred on it and scaled with it.
struct DialogLook {
  std::string title;       // "YOU SUCK!"
  std::string prompt;      // "Game Over"
  bool okHover = false;    // the pointer over OK
  bool okPressed = false;  // OK held down with the pointer over it
  bool focused = true;     // the window has the keyboard focus (title bar active/inactive colours)
};

// Where the box and its OK button lie, in output pixels, for a viewport (the picture's placement).
struct DialogPlace {
  SDL_Rect box;
  SDL_Rect ok;
};
DialogPlace PlaceDialog(const Viewport& viewport);

// Draws the whole box (opaque, every pixel of place.box) with the game's font at the viewport's
// scale. Its three texts keep their own slots in `cache`, the window's DrawCache.
void DrawDialog(SDL_Surface& target, const Viewport& viewport, DrawCache& cache,
                const DialogLook& look);

}  // namespace zentor
