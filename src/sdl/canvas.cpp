#include "sdl/canvas.h"

#include <stdexcept>
#include <string>
#include <string_view>

#include "picture/pixels.h"

namespace zentor {

void WindowCanvas::ChooseShowing() {
  // SDL would otherwise show an X11 window's surface through a GL texture, a full-window copy
  // and upload every frame. Elsewhere (Wayland) that texture is SDL's only way, and stays.
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver && std::string_view(driver) == "x11") {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  }
}

void WindowCanvas::Renew() {
  shadow_.reset();
  surface_ = SDL_GetWindowSurface(window_);
  if (surface_ && !Pixels::Usable(*surface_->format)) {
    shadow_.reset(
        SDL_CreateRGBSurfaceWithFormat(0, surface_->w, surface_->h, 32, SDL_PIXELFORMAT_RGB888));
    if (!shadow_) {
      surface_ = nullptr;
    }
  }
  if (!surface_) {
    throw std::runtime_error(std::string("cannot draw in the window: ") + SDL_GetError());
  }
  stale_ = false;
}

void WindowCanvas::Show(std::span<const SDL_Rect> areas) {
  if (!surface_ || areas.empty()) {
    return;
  }
  if (shadow_) {
    for (SDL_Rect area : areas) {
      SDL_BlitSurface(shadow_.get(), &area, surface_, &area);
    }
  }
  SDL_UpdateWindowSurfaceRects(window_, areas.data(), static_cast<int>(areas.size()));
}

void WindowCanvas::ShowAll() {
  if (!surface_) {
    return;
  }
  if (shadow_) {
    SDL_BlitSurface(shadow_.get(), nullptr, surface_, nullptr);
  }
  SDL_UpdateWindowSurface(window_);
}

}  // namespace zentor
