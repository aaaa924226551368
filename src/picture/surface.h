// An owning handle for SDL surfaces, the picture's memory.
#pragma once

#include <SDL.h>

#include <memory>

namespace zentor {

struct SurfaceDeleter {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};

using SurfaceHandle = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

}  // namespace zentor
