#include "sdl/canvas.h"

#include <stdexcept>
#include <string>
#include <string_view>

#include "picture/pixels.h"

namespace zentor {
namespace {

// The format drawn into, which the texture shares so that an upload is a plain copy.
constexpr Uint32 kFormat = SDL_PIXELFORMAT_RGB888;

bool OnDriver(std::string_view name) {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver && std::string_view(driver) == name;
}

// Wayland uploads the window's surface whole every frame, and sizes it in points; a window that
// has more pixels than points anywhere else would show a stretched surface too.
bool ShownThroughTexture(SDL_Window* window) {
  if (OnDriver("wayland")) {
    return true;
  }
  int points = 0;
  int pixels = 0;
  int height = 0;
  SDL_GetWindowSize(window, &points, &height);
  SDL_GetWindowSizeInPixels(window, &pixels, &height);
  return pixels > points;
}

[[noreturn]] void Fail() {
  throw std::runtime_error(std::string("cannot draw in the window: ") + SDL_GetError());
}

}  // namespace

void WindowCanvas::ChooseShowing() {
  // SDL would otherwise show an X11 window's surface through a GL texture, a full-window copy
  // and upload every frame.
  if (OnDriver("x11")) {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  }
}

WindowCanvas::WindowCanvas(SDL_Window* window) : window_(window) {
  if (!ShownThroughTexture(window_)) {
    return;
  }
  // Frames are paced by the game's clock: presenting must not wait for the display.
  SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
  renderer_.reset(SDL_CreateRenderer(window_, -1, 0));
  if (!renderer_) {
    Fail();
  }
}

bool WindowCanvas::Stale() const {
  if (stale_ || !(own_ || surface_)) {
    return true;
  }
  if (!renderer_) {
    return false;
  }
  int width = 0;
  int height = 0;
  return SDL_GetRendererOutputSize(renderer_.get(), &width, &height) != 0 || width != own_->w ||
         height != own_->h;
}

void WindowCanvas::Renew() {
  own_.reset();
  texture_.reset();
  surface_ = nullptr;
  if (renderer_) {
    int width = 0;
    int height = 0;
    if (SDL_GetRendererOutputSize(renderer_.get(), &width, &height) != 0) {
      Fail();
    }
    texture_.reset(
        SDL_CreateTexture(renderer_.get(), kFormat, SDL_TEXTUREACCESS_STREAMING, width, height));
    own_.reset(SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, kFormat));
    if (!texture_ || !own_) {
      Fail();
    }
  } else {
    surface_ = SDL_GetWindowSurface(window_);
    if (!surface_) {
      Fail();
    }
    if (!Pixels::Usable(*surface_->format)) {
      own_.reset(SDL_CreateRGBSurfaceWithFormat(0, surface_->w, surface_->h, 32, kFormat));
      if (!own_) {
        Fail();
      }
    }
  }
  stale_ = false;
}

void WindowCanvas::Show(std::span<const SDL_Rect> areas) {
  if (areas.empty() || Stale()) {
    return;
  }
  if (texture_) {
    for (const SDL_Rect& area : areas) {
      const auto* from = static_cast<const Uint8*>(own_->pixels) + area.y * own_->pitch +
                         area.x * static_cast<int>(sizeof(Uint32));
      SDL_UpdateTexture(texture_.get(), &area, from, own_->pitch);
    }
    Present();
    return;
  }
  if (own_) {
    for (SDL_Rect area : areas) {
      SDL_BlitSurface(own_.get(), &area, surface_, &area);
    }
  }
  SDL_UpdateWindowSurfaceRects(window_, areas.data(), static_cast<int>(areas.size()));
}

void WindowCanvas::ShowAll() {
  if (Stale()) {
    return;
  }
  if (texture_) {
    SDL_UpdateTexture(texture_.get(), nullptr, own_->pixels, own_->pitch);
    Present();
    return;
  }
  if (own_) {
    SDL_BlitSurface(own_.get(), nullptr, surface_, nullptr);
  }
  SDL_UpdateWindowSurface(window_);
}

// What is on the screen after a present is undefined: the whole texture is copied each time,
// which the display's own hardware (or the GL driver) does, not the game.
void WindowCanvas::Present() {
  SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, nullptr);
  SDL_RenderPresent(renderer_.get());
}

}  // namespace zentor
