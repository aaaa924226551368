// Owning handles for SDL objects.
#pragma once

#include <SDL.h>

#include <memory>

namespace zentor {

struct SdlDeleter {
  void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};

using WindowHandle = std::unique_ptr<SDL_Window, SdlDeleter>;
using SurfaceHandle = std::unique_ptr<SDL_Surface, SdlDeleter>;

}  // namespace zentor
