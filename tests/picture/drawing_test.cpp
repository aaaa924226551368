// The drawing code itself, offscreen: scaled and letterboxed pictures, text sizes, the text
// cache, controls far outside the window and the edges of the rocks.
#include <gtest/gtest.h>

#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "picture/font_file.h"
#include "picture/form.h"
#include "picture/offscreen.h"
#include "picture/scene.h"
#include "picture/shapes.h"
#include "picture/surface.h"
#include "playfield/layout.h"

namespace zentor::testing {
namespace {

constexpr Rgb kBars = 0x000000;
constexpr Rgb kGrey = 0x808080;
constexpr Rgb kBlack = 0x000000;
constexpr Rgb kPurple = 0x800080;  // rock 7's colour, no other control's
constexpr Rgb kBannerGreen = 0xC0FFC0;

Picture PictureOf(const OffscreenPicture& offscreen) {
  return testing::PictureOf(offscreen.Surface());
}

// A scene with something of every kind in the playfield: rocks below the panel, one of them
// under the square, the taunt and the buttons.
Form BusyForm() {
  Form form = MakeForm();
  for (int i = 0; i < kRockCount; ++i) {
    form.Rock[i].Top = static_cast<float>(2500 + 700 * (i % 6));
  }
  form.Red.Left = form.Rock[4].Left + 300;
  form.Red.Top = form.Rock[4].Top + 300;
  form.lblfunny.Visible = true;
  form.Restart.Visible = true;
  form.endgame.Visible = true;
  return form;
}

// The rows of a rectangle of pixels that hold text.
int TextHeight(const Picture& picture, int left, int top, int width, int height) {
  int first = -1;
  int last = -1;
  for (int y = top; y < top + height; ++y) {
    if (picture.DarkPixels(left, y, width, 1) > 0) {
      first = first < 0 ? y : first;
      last = y;
    }
  }
  return first < 0 ? 0 : last - first + 1;
}

TEST(Drawing, PictureScalesAndKeepsItsAspectBetweenBars) {
  const struct {
    int width, height;
  } outputs[] = {{1984, 1642}, {1400, 821}, {992, 1300}, {496, 410}, {1600, 1000}};
  const Form form = BusyForm();
  for (const auto& [width, height] : outputs) {
    OffscreenPicture offscreen(width, height);
    offscreen.Draw(form);
    const Picture picture = PictureOf(offscreen);
    const SDL_Rect inside = offscreen.View().picture;
    const std::string what = std::to_string(width) + " x " + std::to_string(height);
    EXPECT_NEAR(static_cast<double>(inside.w) / inside.h, 992.0 / 821.0, 0.01) << what;
    EXPECT_TRUE(inside.w == width || inside.h == height) << what;
    int barPixels = 0;
    int wrongBars = 0;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        if (x < inside.x || x >= inside.x + inside.w || y < inside.y || y >= inside.y + inside.h) {
          ++barPixels;
          wrongBars += picture.At(x, y) != kBars ? 1 : 0;
        }
      }
    }
    EXPECT_EQ(wrongBars, 0) << what;
    EXPECT_EQ(barPixels, width * height - inside.w * inside.h) << what;
    const GridCheck check =
        CheckAgainstLayout(picture, form, 5, offscreen.View().scale, inside.x, inside.y);
    EXPECT_GT(check.checked, 3000) << what;
    EXPECT_TRUE(check.mismatches.empty()) << what << ": " << Describe(check);
  }
}

TEST(Drawing, TextIsRasterisedAtTheDrawnSize) {
  const Form form = MakeForm();
  const Label& label = form.Score;
  std::vector<int> heights;
  for (const int scale : {1, 2, 3}) {
    OffscreenPicture offscreen(992 * scale, 821 * scale);
    offscreen.Draw(form);
    const Picture picture = PictureOf(offscreen);
    heights.push_back(TextHeight(picture, static_cast<int>(label.Left / 15 * scale),
                                 static_cast<int>(label.Top / 15 * scale),
                                 static_cast<int>(label.Width / 15 * scale),
                                 static_cast<int>(label.Height / 15 * scale)));
  }
  // 18 points are 24 pixels at 96 dots per inch; the capitals of "Score" fill about three
  // quarters of that.
  EXPECT_GE(heights[0], 15);
  EXPECT_LE(heights[0], 21);
  EXPECT_NEAR(heights[1], 2 * heights[0], 2);
  EXPECT_NEAR(heights[2], 3 * heights[0], 3);
}

TEST(Drawing, FramesRasteriseOnlyTextThatChanged) {
  OffscreenPicture offscreen;
  Form form = MakeForm();
  offscreen.Draw(form);
  const uint64_t first = offscreen.Cache().TextRasterised();
  const size_t shown = offscreen.Cache().TextCount();
  EXPECT_GT(first, 0u);
  offscreen.Draw(form);
  EXPECT_EQ(offscreen.Cache().TextRasterised(), first);
  // A score that changes every tick: one caption each frame, and the cache does not grow.
  for (int score = 1; score <= 1000; ++score) {
    form.lblScore.Caption = std::to_string(score);
    offscreen.Draw(form);
  }
  EXPECT_EQ(offscreen.Cache().TextRasterised(), first + 1000);
  EXPECT_EQ(offscreen.Cache().TextCount(), shown);
  form.lblfunny.Visible = true;
  offscreen.Draw(form);
  EXPECT_EQ(offscreen.Cache().TextRasterised(), first + 1001);
  EXPECT_EQ(offscreen.Cache().TextCount(), shown + 1);
}

// Oval looks told apart by their width alone.
const Image* OvalLook(DrawCache& cache, int look) {
  return cache.OvalImage(10 + look, 20, 1, FillStyle::Solid, 0x000000FF);
}

// A frame that draws the whole picture keeps the looks it showed and lets go of the others; when
// the cache is full a new look takes the place of the least recently shown.
TEST(DrawCache, KeepsTheOvalsAFrameShowsAndDropsTheLeastRecentlyShownFirst) {
  const std::optional<std::string> fontFile = FindLabelFontFile();
  ASSERT_TRUE(fontFile);
  DrawCache cache(*fontFile);
  constexpr int kMost = kLayoutRows;
  cache.BeginWholeFrame();
  for (int look = 0; look < kMost; ++look) {
    OvalLook(cache, look);
  }
  cache.EndWholeFrame();
  ASSERT_EQ(cache.OvalCount(), static_cast<size_t>(kMost));
  // Look 0 shown again, then a new look: look 1, shown longest ago, makes room.
  cache.BeginWholeFrame();
  OvalLook(cache, 0);
  OvalLook(cache, kMost);
  for (int look = 2; look < kMost; ++look) {
    OvalLook(cache, look);
  }
  cache.EndWholeFrame();
  EXPECT_EQ(cache.OvalCount(), static_cast<size_t>(kMost));
  EXPECT_EQ(cache.OvalsRasterised(), static_cast<uint64_t>(kMost + 1));
  // A picture of two looks keeps two, and shows them again without rasterising.
  for (int frame = 0; frame < 2; ++frame) {
    cache.BeginWholeFrame();
    OvalLook(cache, 0);
    OvalLook(cache, kMost);
    cache.EndWholeFrame();
  }
  EXPECT_EQ(cache.OvalCount(), 2u);
  EXPECT_EQ(cache.OvalsRasterised(), static_cast<uint64_t>(kMost + 1)) << "a kept look again";
  // Frames drawn in parts never hold more than the most.
  for (int look = 0; look < 3 * kMost; ++look) {
    OvalLook(cache, 100 + look);
  }
  EXPECT_EQ(cache.OvalCount(), static_cast<size_t>(kMost));
}

// Pictures drawn into 32-bit surfaces of any size with one cache, as a window draws them.
class Pictures {
 public:
  explicit Pictures(const std::string& fontFile) : cache_(fontFile) {}

  const SDL_Surface& Draw(const Form& form, int width, int height) {
    surface_.reset(SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGB888));
    DrawForm(*surface_, form, Viewport::Fit(width, height), cache_);
    return *surface_;
  }
  const DrawCache& Cache() const { return cache_; }

 private:
  DrawCache cache_;
  SurfaceHandle surface_;
};

bool SamePixels(const SDL_Surface& a, const SDL_Surface& b) {
  for (int y = 0; y < a.h; ++y) {
    if (std::memcmp(static_cast<const Uint8*>(a.pixels) + y * a.pitch,
                    static_cast<const Uint8*>(b.pixels) + y * b.pitch,
                    static_cast<size_t>(a.w) * sizeof(Uint32)) != 0) {
      return false;
    }
  }
  return true;
}

// After every resize the cache holds what the picture shows, as much as a cache that only
// ever drew it; and a caption whose text is unchanged is set again at the new size, as crisp as
// in a picture drawn at that size from the start.
TEST(DrawCache, AfterEachResizeHoldsWhatThePictureShowsSetAtItsSize) {
  const std::optional<std::string> fontFile = FindLabelFontFile();
  ASSERT_TRUE(fontFile);
  const Form form = BusyForm();
  Pictures resized(*fontFile);
  resized.Draw(form, 992, 821);
  for (const auto& [width, height] :
       {std::pair{1984, 1642}, {1920, 1080}, {1333, 977}, {700, 580}, {992, 821}, {2976, 2463}}) {
    const std::string what = std::to_string(width) + " x " + std::to_string(height);
    Pictures fresh(*fontFile);
    EXPECT_TRUE(SamePixels(resized.Draw(form, width, height), fresh.Draw(form, width, height)))
        << what;
    EXPECT_EQ(resized.Cache().OvalCount(), fresh.Cache().OvalCount()) << what;
    EXPECT_EQ(resized.Cache().TextCount(), fresh.Cache().TextCount()) << what;
  }
}

// Captions that cannot break are rasterised on one line without looking for breaks; captions
// with blanks are broken into lines first. Whichever way a caption that fits on one line takes,
// at scale 1 its pixels must be the wrapping renderer's.
TEST(Drawing, CaptionsMatchTheWrappingRendererPixelForPixel) {
  const std::optional<std::string> fontFile = FindLabelFontFile();
  ASSERT_TRUE(fontFile);
  DrawCache cache(*fontFile);
  const std::vector<std::string> captions = {"0",
                                             "7",
                                             "11",
                                             "100",
                                             "1234",
                                             "5500",
                                             "99999",
                                             "123456789012",
                                             "Score",
                                             "-1.5E+16",
                                             "LETS MAKE THIS HARDER",
                                             "High Score",
                                             "Controls Are:"};
  int compared = 0;
  for (const int pixels : {8, 13, 16, 24, 36, 65}) {
    TTF_Font* font = TTF_OpenFont(fontFile->c_str(), pixels);
    ASSERT_NE(font, nullptr);
    for (const bool centred : {false, true}) {
      for (const int wrapWidth : {9, 60, 97, 98, 131, 400}) {
        for (const std::string& caption : captions) {
          const std::string what = caption + " at " + std::to_string(pixels) + " px, " +
                                   std::to_string(wrapWidth) + " wide" +
                                   (centred ? ", centred" : "");
          int width = 0;
          int height = 0;
          ASSERT_EQ(TTF_SizeUTF8(font, caption.c_str(), &width, &height), 0) << what;
          if (width > wrapWidth) {
            continue;
          }
          TTF_SetFontWrappedAlign(font,
                                  centred ? TTF_WRAPPED_ALIGN_CENTER : TTF_WRAPPED_ALIGN_LEFT);
          const SurfaceHandle wrapped(TTF_RenderUTF8_Blended_Wrapped(
              font, caption.c_str(), SDL_Color{0x12, 0x34, 0x56, 0xFF},
              static_cast<Uint32>(wrapWidth)));
          const TextSetting setting{
              static_cast<float>(pixels) * 3 / 4, wrapWidth, wrapWidth, 1000, 1, centred};
          const Image* drawn = cache.TextImage(0, caption, 0x00563412, setting);
          ASSERT_TRUE(wrapped && drawn) << what;
          ASSERT_EQ(drawn->Width(), wrapped->w) << what;
          ASSERT_EQ(drawn->Height(), wrapped->h) << what;
          for (int y = 0; y < wrapped->h; ++y) {
            const auto* row = reinterpret_cast<const Uint32*>(
                static_cast<const Uint8*>(wrapped->pixels) + y * wrapped->pitch);
            // A clear pixel is clear whatever its colour bits.
            const auto same = [](Uint32 a, Uint32 b) { return a == b || (a | b) >> 24 == 0; };
            ASSERT_TRUE(std::equal(row, row + wrapped->w, drawn->RowPixels(y), same))
                << what << ", row " << y;
          }
          ++compared;
        }
      }
    }
    TTF_CloseFont(font);
  }
  // Most of them fit: all but the longer captions in the narrower rooms.
  EXPECT_GT(compared, 6 * 2 * 6 * 13 / 2);
}

struct Box {
  int x, y, w, h;
};

Box BoxOf(const CommandButton& button) {
  return {static_cast<int>(button.Left) / 15, static_cast<int>(button.Top) / 15,
          static_cast<int>(button.Width) / 15, static_cast<int>(button.Height) / 15};
}

int Brightness(Rgb p) {
  return ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
}

TEST(Drawing, ButtonsCoverWhatLiesUnderThem) {
  Form form = MakeForm();
  form.Restart.Visible = true;
  form.endgame.Visible = true;
  // A rock under the corner of one button, the square under the corner of the other.
  form.Rock[7].Left = form.Restart.Left - 300;
  form.Rock[7].Top = form.Restart.Top - 300;
  form.Red.Left = form.endgame.Left - 200;
  form.Red.Top = form.endgame.Top + 60;
  OffscreenPicture offscreen;
  offscreen.Draw(form);
  const Picture picture = PictureOf(offscreen);
  const Box restart = BoxOf(form.Restart);
  const Box endgame = BoxOf(form.endgame);
  const Rgb face = picture.At(restart.x + restart.w / 2, restart.y + 7);
  EXPECT_NE(face, kPurple);
  EXPECT_EQ(picture.At(restart.x + 8, restart.y + 8), face);
  EXPECT_EQ(picture.At(endgame.x + 8, endgame.y + 8), face);
  EXPECT_EQ(picture.At(restart.x - 5, restart.y + 5), kPurple);
  EXPECT_EQ(picture.At(endgame.x - 5, endgame.y + 20), kBlack);
}

TEST(Drawing, ButtonsShowHoverAndPressedLooks) {
  Form form = MakeForm();
  form.Restart.Visible = true;
  const Box b = BoxOf(form.Restart);
  const auto draw = [&](ButtonLook look) {
    OffscreenPicture offscreen;
    offscreen.Draw(form, look);
    return PictureOf(offscreen);
  };
  const Picture normal = draw({});
  const Picture hover = draw({ButtonId::Restart, ButtonId::None});
  const Picture pushed = draw({ButtonId::Restart, ButtonId::Restart});
  const Picture draggedOff = draw({ButtonId::None, ButtonId::Restart});
  const Picture other = draw({ButtonId::endgame, ButtonId::None});
  const int mid = b.y + b.h / 2;
  const auto face = [&](const Picture& p) { return p.At(b.x + 7, b.y + 7); };
  const auto litEdge = [&](const Picture& p) { return Brightness(p.At(b.x, mid)); };
  const auto shadedEdge = [&](const Picture& p) { return Brightness(p.At(b.x + b.w - 1, mid)); };
  EXPECT_NE(face(hover), face(normal));
  EXPECT_GT(litEdge(normal), shadedEdge(normal));
  EXPECT_GT(litEdge(hover), shadedEdge(hover));
  // Pushed in: the edges swap their light, and the caption moves with the face.
  EXPECT_LT(litEdge(pushed), shadedEdge(pushed));
  int moved = 0;
  for (int y = b.y + 6; y < b.y + b.h - 6; ++y) {
    for (int x = b.x + 6; x < b.x + b.w - 6; ++x) {
      moved += (normal.At(x, y) == kBlack) != (pushed.At(x, y) == kBlack) ? 1 : 0;
    }
  }
  EXPECT_GT(moved, 50);
  // A press dragged off the button shows it raised, and the other button's hover changes nothing.
  for (const Picture* same : {&draggedOff, &other}) {
    int differ = 0;
    for (int y = b.y; y < b.y + b.h; ++y) {
      for (int x = b.x; x < b.x + b.w; ++x) {
        differ += same->At(x, y) != normal.At(x, y) ? 1 : 0;
      }
    }
    EXPECT_EQ(differ, 0);
  }
}

TEST(Drawing, ControlsFarOutsideAreClippedNotWrappedAround) {
  constexpr float kInfinity = std::numeric_limits<float>::infinity();
  // 2^32 pixels and 450 more: an int conversion that wraps would put the rock at x = 450.
  constexpr float kWrapsToVisible = 15.0f * (4294967296.0f + 450.0f);
  const struct {
    const char* what;
    float rockLeft, rockTop, bannerTop;
  } cases[] = {
      {"a game's banner after hours", 360, 480, 6.08e7f},
      {"past the range of int", kWrapsToVisible, 6000, 1e30f},
      {"far to the left and above", -kWrapsToVisible, -1e30f, -1e30f},
      {"infinite", kInfinity, -kInfinity, kInfinity},
  };
  for (const auto& c : cases) {
    Form form = MakeForm();
    form.Rock[7].Left = c.rockLeft;
    form.Rock[7].Top = c.rockTop;
    form.lblnext.Top = c.bannerTop;
    OffscreenPicture offscreen;
    offscreen.Draw(form);
    const Picture picture = PictureOf(offscreen);
    EXPECT_EQ(picture.Count(kPurple), 0) << c.what;
    EXPECT_EQ(picture.Count(kBannerGreen), 0) << c.what;
    const GridCheck check = CheckAgainstLayout(picture, form);
    EXPECT_TRUE(check.mismatches.empty()) << c.what << ": " << Describe(check);
  }
}

TEST(Drawing, HugeControlKeepsItsVisiblePartInPlace) {
  Form form = MakeForm();
  form.Red.Width = 1e30f;
  OffscreenPicture offscreen;
  offscreen.Draw(form);
  const Picture picture = PictureOf(offscreen);
  const int y = static_cast<int>((form.Red.Top + 200) / 15);
  const int left = static_cast<int>(form.Red.Left / 15);
  EXPECT_EQ(picture.At(left - 3, y), kGrey);
  for (int x = left; x < picture.Width(); ++x) {
    ASSERT_EQ(picture.At(x, y), kBlack) << x;
  }
}

TEST(Drawing, RockEdgesAreAntiAliased) {
  Form form = MakeForm();
  Shape& rock = form.Rock[3];
  rock.Left = 6000;
  rock.Top = 6000;
  OffscreenPicture offscreen;
  offscreen.Draw(form);
  const Picture picture = PictureOf(offscreen);
  const Rgb fill = RgbOf(rock.FillColor);
  int blended = 0;
  for (int y = 390; y < 490; ++y) {
    for (int x = 390; x < 490; ++x) {
      const Rgb p = picture.At(x, y);
      blended += p != kGrey && p != kBlack && p != fill ? 1 : 0;
    }
  }
  // The circle's outline is about 230 pixels long; both of its edges are blended.
  EXPECT_GT(blended, 200);
  EXPECT_EQ(picture.At(400, 400), kGrey);
  EXPECT_EQ(picture.At(436, 436), fill);
}

// Every pixel of an oval worked out on its own: how far its centre lies from each edge, and so
// how much of it each edge covers. The rasteriser works out only the rim and must agree.
Uint32 OvalPixel(int x, int y, int width, int height, int stroke, bool solid, Colour fill) {
  const auto distance = [](double u, double v, double a, double b) {
    const double f = std::hypot(u / a, v / b);
    const double gradient = std::hypot(u / (a * a), v / (b * b));
    return f == 0 || gradient == 0 ? -std::min(a, b) : (f - 1) * f / gradient;
  };
  const auto coverage = [](double d) { return std::clamp(0.5 - d, 0.0, 1.0); };
  const double a = width / 2.0;
  const double b = height / 2.0;
  const double u = x + 0.5 - a;
  const double v = y + 0.5 - b;
  const double outer = coverage(distance(u, v, a, b));
  const double inner = a > stroke && b > stroke
                           ? std::min(outer, coverage(distance(u, v, a - stroke, b - stroke)))
                           : 0.0;
  const auto alpha = static_cast<Uint32>(std::lround((solid ? outer : outer - inner) * 255));
  if (alpha == 0) {
    return 0;
  }
  const double share = solid && outer > 0 ? inner / outer : 0.0;
  const auto channel = [&](int shift) {
    return static_cast<Uint32>(std::lround(((fill >> shift) & 0xFF) * share)) << (16 - shift);
  };
  return alpha << 24 | channel(0) | channel(8) | channel(16);
}

TEST(Drawing, OvalsAreRasterisedAsEachOfTheirPixelsIsCovered) {
  struct Oval {
    int width;
    int height;
  };
  std::vector<Oval> ovals;
  for (int width = 1; width <= 24; ++width) {
    for (int height = 1; height <= 24; ++height) {
      ovals.push_back({width, height});
    }
  }
  // Rocks at the scales players use, and flat ovals whose rim runs along many pixels of a row.
  for (const Oval oval : {Oval{73, 73}, {110, 110}, {190, 190}, {191, 190}, {160, 40}, {9, 150}}) {
    ovals.push_back(oval);
  }
  constexpr Colour kFill = 0x000080FF;
  for (const Oval& oval : ovals) {
    for (const int stroke : {1, 2, 3}) {
      for (const FillStyle fill : {FillStyle::Solid, FillStyle::None}) {
        const SurfaceHandle surface = MakeOvalSurface(oval.width, oval.height, stroke, fill, kFill);
        ASSERT_TRUE(surface);
        for (int y = 0; y < oval.height; ++y) {
          const auto* row = reinterpret_cast<const Uint32*>(
              static_cast<const Uint8*>(surface->pixels) + y * surface->pitch);
          for (int x = 0; x < oval.width; ++x) {
            const Uint32 pixel = row[x] >> 24 == 0 ? 0 : row[x];
            ASSERT_EQ(pixel, OvalPixel(x, y, oval.width, oval.height, stroke,
                                       fill == FillStyle::Solid, kFill))
                << oval.width << " x " << oval.height << ", stroke " << stroke << ", at " << x
                << "," << y;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace zentor::testing
