// The frame the game reads on the desktop: where the window stands and how wide its borders are.
#include "playfield/layout.h"
#include "sdl/window.h"

namespace zentor {

WindowFrame Window::Frame(const Form& form) const {
  int x = 0;
  int y = 0;
  SDL_GetWindowPosition(window_.get(), &x, &y);
  int top = 0;
  int left = 0;
  int bottom = 0;
  int right = 0;
  if (SDL_GetWindowBordersSize(window_.get(), &top, &left, &bottom, &right) != 0) {
    top = left = bottom = right = 0;
  }
  return {static_cast<float>(x - left) * kTwipsPerPixel,
          static_cast<float>(y - top) * kTwipsPerPixel,
          form.ScaleWidth + static_cast<float>(left + right) * kTwipsPerPixel,
          form.ScaleHeight + static_cast<float>(top + bottom) * kTwipsPerPixel};
}

}  // namespace zentor
