// The window's icon and the menus' icon are one drawing: the window's, drawn by the game, against
// the build's rasterisation of the SVG that zentor-icon writes.
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "picture/icon.h"

namespace zentor {
namespace {

SurfaceHandle Argb(SDL_Surface* surface) {
  SurfaceHandle argb(surface ? SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ARGB8888, 0)
                             : nullptr);
  SDL_FreeSurface(surface);
  return argb;
}

TEST(Icon, TheWindowsIconIsTheMenusIcon) {
  const SurfaceHandle menus = Argb(IMG_Load(ZENTOR_MENU_ICON));
  ASSERT_TRUE(menus) << IMG_GetError();
  const SurfaceHandle window = Argb(DrawIcon(menus->w).release());
  ASSERT_TRUE(window);
  // Edges are smoothed a little differently; everything else is the same colour.
  constexpr int kChannelSlack = 64;
  int differ = 0;
  for (int y = 0; y < menus->h; ++y) {
    for (int x = 0; x < menus->w; ++x) {
      const auto at = [&](const SurfaceHandle& s) {
        return reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(s->pixels) +
                                               y * s->pitch)[x];
      };
      const Uint32 a = at(menus);
      const Uint32 b = at(window);
      for (int shift = 0; shift < 32; shift += 8) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) -
                     static_cast<int>((b >> shift) & 0xFF)) > kChannelSlack) {
          ++differ;
          break;
        }
      }
    }
  }
  EXPECT_LT(differ, menus->w * menus->h / 100);
}

}  // namespace
}  // namespace zentor
