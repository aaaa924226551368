#include "sdl/canvas.h"

#include <stdexcept>
#include <string>
#include <string_view>

#include "picture/pixels.h"
#include "picture/surface.h"
#include "sdl/handles.h"

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

struct WindowCanvas::Showing {
  // What is on the screen after a present is undefined: the whole texture is copied each time,
  // which the display's own hardware (or the GL driver) does, not the game.
  void Present() {
    SDL_RenderCopy(renderer.get(), texture.get(), nullptr, nullptr);
    SDL_RenderPresent(renderer.get());
  }

  SDL_Window* window = nullptr;
  // Showing through a texture: the renderer, its texture, and the surface drawn into.
  RendererHandle renderer;
  TextureHandle texture;
  // Drawn into: for a texture, or instead of the window's surface when that has a format of
  // fewer or other channels, copied to it before showing.
  SurfaceHandle own;
  SDL_Surface* surface = nullptr;  // the window's, freed by SDL
  bool stale = true;
};

void WindowCanvas::ChooseShowing() {
  // SDL would otherwise show an X11 window's surface through a GL texture, a full-window copy
  // and upload every frame.
  if (OnDriver("x11")) {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  }
}

WindowCanvas::WindowCanvas(SDL_Window* window) : showing_(std::make_unique<Showing>()) {
  showing_->window = window;
  if (!ShownThroughTexture(window)) {
    return;
  }
  // Frames are paced by the game's clock: presenting must not wait for the display.
  SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
  showing_->renderer.reset(SDL_CreateRenderer(window, -1, 0));
  if (!showing_->renderer) {
    Fail();
  }
}

WindowCanvas::~WindowCanvas() = default;

void WindowCanvas::Lost() {
  showing_->stale = true;
}

bool WindowCanvas::Stale() const {
  const Showing& s = *showing_;
  if (s.stale || !(s.own || s.surface)) {
    return true;
  }
  if (!s.renderer) {
    return false;
  }
  int width = 0;
  int height = 0;
  return SDL_GetRendererOutputSize(s.renderer.get(), &width, &height) != 0 || width != s.own->w ||
         height != s.own->h;
}

void WindowCanvas::Renew() {
  Showing& s = *showing_;
  s.own.reset();
  s.texture.reset();
  s.surface = nullptr;
  if (s.renderer) {
    int width = 0;
    int height = 0;
    if (SDL_GetRendererOutputSize(s.renderer.get(), &width, &height) != 0) {
      Fail();
    }
    s.texture.reset(
        SDL_CreateTexture(s.renderer.get(), kFormat, SDL_TEXTUREACCESS_STREAMING, width, height));
    s.own.reset(SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, kFormat));
    if (!s.texture || !s.own) {
      Fail();
    }
  } else {
    s.surface = SDL_GetWindowSurface(s.window);
    if (!s.surface) {
      Fail();
    }
    if (!Pixels::Usable(*s.surface->format)) {
      s.own.reset(SDL_CreateRGBSurfaceWithFormat(0, s.surface->w, s.surface->h, 32, kFormat));
      if (!s.own) {
        Fail();
      }
    }
  }
  s.stale = false;
}

SDL_Surface& WindowCanvas::Surface() const {
  return showing_->own ? *showing_->own : *showing_->surface;
}

void WindowCanvas::Show(std::span<const SDL_Rect> areas) {
  if (areas.empty() || Stale()) {
    return;
  }
  Showing& s = *showing_;
  if (s.texture) {
    for (const SDL_Rect& area : areas) {
      const auto* from = static_cast<const Uint8*>(s.own->pixels) + area.y * s.own->pitch +
                         area.x * static_cast<int>(sizeof(Uint32));
      SDL_UpdateTexture(s.texture.get(), &area, from, s.own->pitch);
    }
    s.Present();
    return;
  }
  if (s.own) {
    for (SDL_Rect area : areas) {
      SDL_BlitSurface(s.own.get(), &area, s.surface, &area);
    }
  }
  SDL_UpdateWindowSurfaceRects(s.window, areas.data(), static_cast<int>(areas.size()));
}

void WindowCanvas::ShowAll() {
  if (Stale()) {
    return;
  }
  Showing& s = *showing_;
  if (s.texture) {
    SDL_UpdateTexture(s.texture.get(), nullptr, s.own->pixels, s.own->pitch);
    s.Present();
    return;
  }
  if (s.own) {
    SDL_BlitSurface(s.own.get(), nullptr, s.surface, nullptr);
  }
  SDL_UpdateWindowSurface(s.window);
}

}  // namespace zentor
