// The picture's shapes in pixels: anti-aliased ovals, bevelled edges and push button faces.
#pragma once

#include <SDL.h>

#include "picture/pixels.h"
#include "picture/surface.h"
#include "playfield/controls.h"
#include "playfield/layout.h"

namespace zentor {

// The push buttons in the standard scheme, which the game-over box shares.
inline constexpr Colour kButtonFace = 0x00C0C0C0;
inline constexpr Colour kButtonHoverFace = 0x00D8D8D8;
inline constexpr Colour kButtonHighlight = 0x00FFFFFF;
inline constexpr Colour kButtonLight = 0x00DFDFDF;
inline constexpr Colour kButtonShadow = 0x00808080;
inline constexpr Colour kButtonDarkShadow = 0x00000000;

// A push button's caption keeps this many strokes from its outer edge on each side: two of
// bevel, two of room.
inline constexpr int kButtonCaptionInset = 4;
inline constexpr int kButtonBevel = 2;

// An oval inscribed in width x height pixels with a border of `stroke` pixels in the window-text
// colour, its edges anti-aliased; ARGB with straight alpha. Null when out of memory.
SurfaceHandle MakeOvalSurface(int width, int height, int stroke, FillStyle fill, Colour fillColour);

SDL_Rect Inset(const SDL_Rect& r, int by);

// Edges of `stroke` pixels inside the rectangle: the top and left in one colour, the bottom and
// right, drawn over them at the corners, in another.
void DrawEdges(Pixels& pixels, const SDL_Rect& r, int stroke, Colour topLeft, Colour bottomRight);

// A push button's face, bevelled edges and, when it has the focus, dotted frame: everything but
// its caption. Pushed in, the edges swap their light.
void DrawButtonFace(Pixels& pixels, const SDL_Rect& rect, int stroke, bool hover, bool pushed,
                    bool focus);

// An image drawn at (x, y), clipped to `clip` as well as to the pixels' own clip.
void DrawClipped(Pixels& pixels, const Image* image, int x, int y, const SDL_Rect& clip);

}  // namespace zentor
