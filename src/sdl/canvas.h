// The window's pixels, kept in memory by us and handed to the display in pieces. The game draws
// into the window's own surface, and only the parts that changed are shown; on X11 that surface
// is shared memory with the display server, so a frame of play hands over a few small
// rectangles instead of copying the whole window through the GL stack.
#pragma once

#include <SDL.h>

#include <span>

#include "picture/surface.h"
#include "sdl/handles.h"

namespace zentor {

class WindowCanvas {
 public:
  // Call before SDL makes the first surface of any window: chooses how surfaces are shown.
  static void ChooseShowing();

  explicit WindowCanvas(SDL_Window* window) : window_(window) {}

  // Marks the surface as gone: SDL makes a new one when the window changes size.
  void Lost() { stale_ = true; }

  // Whether the surface must be taken again, before anything is drawn: at first and after Lost.
  bool Stale() const { return stale_ || !surface_; }

  // Takes the window's surface as it is now, which must then be drawn whole. Throws
  // std::runtime_error("cannot draw in the window: reason").
  void Renew();

  // What to draw into: 32 bits a pixel with 8-bit channels, the window's size in pixels.
  SDL_Surface& Surface() const { return shadow_ ? *shadow_ : *surface_; }

  // Shows what was drawn: the given areas, or the whole window.
  void Show(std::span<const SDL_Rect> areas);
  void ShowAll();

 private:
  SDL_Window* window_;
  SDL_Surface* surface_ = nullptr;  // the window's, freed by SDL
  // Drawn into instead when the window's surface has a format of fewer or other channels, and
  // copied to it before showing.
  SurfaceHandle shadow_;
  bool stale_ = true;
};

}  // namespace zentor
