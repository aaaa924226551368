// The window's size at its opening, from the display's usable area and the desktop's own scale.
#include <gtest/gtest.h>

#include "sdl/window.h"

namespace zentor {
namespace {

struct Opening {
  const char* display;
  SDL_Rect usable;
  double desktopScale;
  int width;
  int height;
};

TEST(OpeningSize, WholeMultiplesWhereTheDesktopDoesNotScaleAndThePicturesOwnSizeWhereItDoes) {
  const Opening cases[] = {
      {"full HD", {0, 0, 1920, 1050}, 1, 992, 821},
      {"4K, no desktop scale", {0, 0, 3840, 2130}, 1, 1984, 1642},
      {"just too small for twice", {0, 0, 1999, 3000}, 1, 992, 821},
      {"wide: the height decides", {0, 0, 4000, 2200}, 1, 1984, 1642},
      {"5K", {0, 0, 5120, 2850}, 1, 2976, 2463},
      {"4K scaled twice: 1920 x 1080 points", {0, 0, 1920, 1080}, 2, 992, 821},
      {"2400 x 2000 points scaled twice", {0, 0, 2400, 2000}, 2, 992, 821},
      {"8K scaled three times", {0, 0, 2560, 1440}, 3, 992, 821},
      {"1200 x 1000 points scaled twice", {0, 0, 1200, 1000}, 2, 992, 821},
      {"a small screen: shrunk to fit", {0, 0, 816, 720}, 1, 793, 656},
      {"a tiny screen: never below the minimum", {0, 0, 400, 300}, 1, 634, 525},
      {"a tiny scaled screen", {0, 0, 400, 300}, 2, 634, 525},
  };
  for (const Opening& c : cases) {
    const SDL_Rect size = OpeningSize(c.usable, c.desktopScale);
    EXPECT_EQ(size.w, c.width) << c.display;
    EXPECT_EQ(size.h, c.height) << c.display;
  }
}

}  // namespace
}  // namespace zentor
