// The game window's form drawn from its records into pixels at any scale: one walk of the
// controls for the desktop window, the browser and the replay tool's screenshots alike.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <optional>
#include <span>

#include "picture/cache.h"
#include "picture/viewport.h"
#include "playfield/controls.h"
#include "playfield/layout.h"

namespace zentor {

// How the push buttons look in one frame.
struct ButtonLook {
  ButtonId hover = ButtonId::None;     // under the mouse pointer
  ButtonId pressed = ButtonId::None;   // pushed in: held down with the pointer over it
  ButtonId focus = ButtonId::Restart;  // the one that Enter presses, marked with a dotted frame
};

// Draws the whole window into a surface that Pixels::Usable accepts: bars around the picture,
// the window's colour, every shown control from the bottom of the stacking order up, and the
// shown push buttons above them all.
void DrawForm(SDL_Surface& target, const Form& form, const Viewport& viewport, DrawCache& cache,
              const ButtonLook& buttons = {});

// Draws the window again within some areas of the picture only, each as DrawForm would, and
// leaves every other pixel of the output as it was.
void DrawFormAreas(SDL_Surface& target, const Form& form, const Viewport& viewport,
                   DrawCache& cache, const ButtonLook& buttons, std::span<const SDL_Rect> areas);

// The part of the picture that a row's control may touch when drawn as the form now stands;
// nothing when the control is hidden, has nothing to draw or lies outside the picture.
std::optional<SDL_Rect> DrawnArea(const Form& form, const LayoutRow& row, const Viewport& viewport);

}  // namespace zentor
