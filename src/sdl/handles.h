// Owning handles for the SDL objects of the window.
#pragma once

#include <SDL.h>

#include <memory>

namespace zentor {

struct SdlDeleter {
  void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
  void operator()(SDL_Renderer* renderer) const { SDL_DestroyRenderer(renderer); }
  void operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }
};

using WindowHandle = std::unique_ptr<SDL_Window, SdlDeleter>;
using RendererHandle = std::unique_ptr<SDL_Renderer, SdlDeleter>;
using TextureHandle = std::unique_ptr<SDL_Texture, SdlDeleter>;

}  // namespace zentor
