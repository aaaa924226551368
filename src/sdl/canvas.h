// The window's pixels, kept in memory by us and handed to the display in pieces. The game draws
// into a surface at the window's size in output pixels, and only the parts that changed are
// handed over. How they are handed over is the platform's own file's.
// On the desktop (canvas.cpp): on X11 that surface is the window's own, in shared memory with the
// display server. On Wayland, where the window's own surface is sized in points and stretched on
// a display of more pixels than points, and uploaded whole every frame, the surface is ours and
// reaches the screen through a streaming texture of the output's pixel size, of which only the
// changed areas are uploaded; so is it wherever else a window has more pixels than points.
// In a page (web/canvas.cpp): the window is the canvas element, and the changed areas are put
// into it at the device's pixels.
#pragma once

#include <SDL.h>

#include <memory>
#include <span>

namespace zentor {

class WindowCanvas {
 public:
  // Call before SDL makes the first surface of any window: chooses how surfaces are shown.
  static void ChooseShowing();

  // Call while the window is still hidden: showing through a texture may make SDL create the
  // window again. Throws std::runtime_error("cannot draw in the window: reason").
  explicit WindowCanvas(SDL_Window* window);

  ~WindowCanvas();
  WindowCanvas(const WindowCanvas&) = delete;
  WindowCanvas& operator=(const WindowCanvas&) = delete;

  // Marks the surface as gone: SDL makes a new one when the window changes size.
  void Lost();

  // Whether the surface must be taken again, before anything is drawn: at first, after Lost and
  // when the window's size in pixels is no longer the surface's (moved to a denser display).
  bool Stale() const;

  // Takes the window's surface as it is now, which must then be drawn whole. Throws
  // std::runtime_error("cannot draw in the window: reason").
  void Renew();

  // What to draw into: 32 bits a pixel with 8-bit channels, the window's size in pixels.
  SDL_Surface& Surface() const;

  // Shows what was drawn: the given areas, or the whole window.
  void Show(std::span<const SDL_Rect> areas);
  void ShowAll();

 private:
  // What the platform's way of showing holds.
  struct Showing;
  std::unique_ptr<Showing> showing_;
};

}  // namespace zentor
