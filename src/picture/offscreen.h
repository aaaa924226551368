// The window's picture drawn without a display, into a surface of its own.
#pragma once

#include <SDL.h>

#include <memory>
#include <string>

#include "picture/damage.h"
#include "picture/form.h"
#include "picture/surface.h"
#include "picture/viewport.h"
#include "playfield/controls.h"

namespace zentor {

class OffscreenPicture {
 public:
  // Throws std::runtime_error when there is no usable font or no memory for the surface.
  explicit OffscreenPicture(int width = kPictureWidth, int height = kPictureHeight);

  // Draws the window as it is now, with the picture fitted to the surface.
  void Draw(const Form& form, const ButtonLook& buttons = {});

  // Draws only what changed since the last DrawChanges, as the desktop window does, and says
  // what that was. The first, and the first after a Draw, draws everything.
  Redraw DrawChanges(const Form& form, const ButtonLook& buttons = {});

  // Writes the last picture as PNG; throws std::runtime_error("cannot write PATH: reason").
  void SavePng(const std::string& path) const;

  const SDL_Surface& Surface() const { return *surface_; }
  const Viewport& View() const { return viewport_; }
  const DrawCache& Cache() const { return *cache_; }

 private:
  Viewport viewport_;
  SurfaceHandle surface_;
  std::unique_ptr<DrawCache> cache_;
  Damage damage_;
};

}  // namespace zentor
