// The game-over box's picture: where it lies on the window's picture and where its texts lie in it.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <optional>
#include <string>

#include "picture/dialog_look.h"
#include "picture/font_file.h"
#include "picture/form.h"
#include "picture/scene.h"
#include "picture/surface.h"
#include "playfield/layout.h"

namespace zentor::testing {
namespace {

constexpr Rgb kActiveTitleBar = 0x000080;

// The window's picture at some size with the box drawn over it.
class BoxPicture {
 public:
  BoxPicture(int width, int height) : viewport_(Viewport::Fit(width, height)) {
    const std::optional<std::string> font = FindLabelFontFile();
    EXPECT_TRUE(font);
    cache_.emplace(font.value_or(""));
    surface_.reset(SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGB888));
  }

  Picture Draw(const DialogLook& look, const Form& under = MakeForm()) {
    DrawForm(*surface_, under, viewport_, *cache_);
    DrawDialog(*surface_, viewport_, *cache_, look);
    return PictureOf(*surface_);
  }

  const Viewport& View() const { return viewport_; }

 private:
  Viewport viewport_;
  std::optional<DrawCache> cache_;
  SurfaceHandle surface_;
};

struct Span {
  int left = 0, top = 0, right = -1, bottom = -1;  // inclusive; empty when right < left
  bool Empty() const { return right < left; }
  bool Within(const SDL_Rect& r, int margin) const {
    return left >= r.x + margin && top >= r.y + margin && right < r.x + r.w - margin &&
           bottom < r.y + r.h - margin;
  }
};

// The box around the pixels of `in` that are what `is` looks for.
template <class Is>
Span SpanOf(const SDL_Rect& in, Is is) {
  Span span{in.x + in.w, in.y + in.h, -1, -1};
  for (int y = in.y; y < in.y + in.h; ++y) {
    for (int x = in.x; x < in.x + in.w; ++x) {
      if (is(x, y)) {
        span = {std::min(span.left, x), std::min(span.top, y), std::max(span.right, x),
                std::max(span.bottom, y)};
      }
    }
  }
  return span;
}

// The pixels where two pictures of the box differ: the ink of a text one has and the other not.
Span InkBetween(const Picture& with, const Picture& without, const SDL_Rect& in) {
  return SpanOf(in, [&](int x, int y) { return with.At(x, y) != without.At(x, y); });
}

SDL_Rect Inset(const SDL_Rect& r, int by) {
  return {r.x + by, r.y + by, r.w - 2 * by, r.h - 2 * by};
}

TEST(Dialog, BoxIsCentredOnThePictureWithEachTextInsideItsPart) {
  for (const auto& [width, height] : {std::pair{992, 821}, {1984, 1642}, {3840, 2160}}) {
    const std::string what = std::to_string(width) + " x " + std::to_string(height);
    BoxPicture box(width, height);
    const Viewport& view = box.View();
    const DialogPlace place = PlaceDialog(view);
    const SDL_Rect& picture = view.picture;
    EXPECT_NEAR(place.box.x + place.box.w / 2.0, picture.x + picture.w / 2.0, 1) << what;
    EXPECT_NEAR(place.box.y + place.box.h / 2.0, picture.y + picture.h / 2.0, 1) << what;
    SDL_Rect inside;
    ASSERT_TRUE(SDL_IntersectRect(&place.box, &picture, &inside)) << what;
    EXPECT_TRUE(SDL_RectEquals(&inside, &place.box)) << what;
    // About a desktop message box's size at scale 1, scaled with the picture.
    EXPECT_NEAR(place.box.w, 280 * view.scale, 2) << what;
    SDL_Rect okInBox;
    ASSERT_TRUE(SDL_IntersectRect(&place.ok, &place.box, &okInBox)) << what;
    EXPECT_TRUE(SDL_RectEquals(&okInBox, &place.ok)) << what;

    const Picture full = box.Draw({"YOU SUCK!", "Game Over"});
    const Picture untitled = box.Draw({"", "Game Over"});
    const Picture unprompted = box.Draw({"YOU SUCK!", ""});
    const Span bar =
        SpanOf(place.box, [&](int x, int y) { return full.At(x, y) == kActiveTitleBar; });
    ASSERT_FALSE(bar.Empty()) << what;
    const SDL_Rect barRect{bar.left, bar.top, bar.right - bar.left + 1, bar.bottom - bar.top + 1};
    const Span title = InkBetween(full, untitled, place.box);
    EXPECT_FALSE(title.Empty()) << what;
    EXPECT_TRUE(title.Within(barRect, 1)) << what;
    // The body: below the title bar, above OK.
    const SDL_Rect body{place.box.x, bar.bottom + 1, place.box.w, place.ok.y - bar.bottom - 1};
    const Span prompt = InkBetween(full, unprompted, place.box);
    EXPECT_FALSE(prompt.Empty()) << what;
    EXPECT_TRUE(prompt.Within(body, 1)) << what;
    EXPECT_GE(prompt.bottom - prompt.top + 1, 9 * view.scale) << what;
    // The caption: dark pixels within the dotted focus frame, none of them at its inner edge.
    const int stroke = view.Stroke();
    const SDL_Rect face = Inset(place.ok, 6 * stroke);
    const Span caption =
        SpanOf(face, [&](int x, int y) { return full.DarkPixels(x, y, 1, 1) > 0; });
    EXPECT_FALSE(caption.Empty()) << what;
    EXPECT_TRUE(caption.Within(face, 1)) << what;
    // Every pixel of the box is the box's own, whatever lies under it.
    Form busy = MakeForm();
    busy.Red.Left = kClientWidth / 2 - 200;
    busy.Red.Top = kClientHeight / 2 - 200;
    busy.Rock[7].Left = kClientWidth / 2 - 1500;
    busy.Rock[7].Top = kClientHeight / 2 - 300;
    const Picture overBusy = box.Draw({"YOU SUCK!", "Game Over"}, busy);
    EXPECT_TRUE(InkBetween(overBusy, full, place.box).Empty()) << what;
  }
}

TEST(Dialog, LooksOfFocusHoverAndPress) {
  BoxPicture box(992, 821);
  const DialogPlace place = PlaceDialog(box.View());
  const Picture normal = box.Draw({"YOU SUCK!", "Game Over"});
  const Picture unfocused = box.Draw({"YOU SUCK!", "Game Over", false, false, false});
  const Picture hover = box.Draw({"YOU SUCK!", "Game Over", true, false});
  const Picture pushed = box.Draw({"YOU SUCK!", "Game Over", true, true});
  const Picture draggedOff = box.Draw({"YOU SUCK!", "Game Over", false, true});
  const auto count = [&](const Picture& p, Rgb colour) {
    return SpanOf(place.box, [&](int x, int y) { return p.At(x, y) == colour; });
  };
  EXPECT_FALSE(count(normal, kActiveTitleBar).Empty());
  EXPECT_TRUE(count(unfocused, kActiveTitleBar).Empty());
  EXPECT_FALSE(count(unfocused, 0x808080).Empty());
  const SDL_Rect ok = place.ok;
  // Inside the default frame: the lit edge, and a point of the face clear of the caption.
  const auto lit = [&](const Picture& p) { return p.At(ok.x + 1, ok.y + ok.h / 2); };
  const auto faceAt = [&](const Picture& p) { return p.At(ok.x + 4, ok.y + ok.h / 2); };
  EXPECT_NE(faceAt(hover), faceAt(normal));
  EXPECT_NE(lit(pushed), lit(normal));
  EXPECT_TRUE(InkBetween(draggedOff, normal, place.box).Empty());
  EXPECT_FALSE(InkBetween(pushed, hover, ok).Empty());
}

}  // namespace
}  // namespace zentor::testing
