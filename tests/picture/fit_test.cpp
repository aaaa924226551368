// Captions and borders at every window size: each caption breaks into the lines it has at the
// design size and lies whole inside its control, shared borders stay one stroke wide, and the
// smallest window still reads.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "picture/offscreen.h"
#include "picture/viewport.h"
#include "playfield/layout.h"

namespace zentor::testing {
namespace {

constexpr int kDarkLimit = 0x50;

bool Dark(const SDL_Surface& surface, int x, int y) {
  const Uint32 p = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(surface.pixels) +
                                                   y * surface.pitch)[x];
  return ((p >> 16) & 0xFF) < kDarkLimit && ((p >> 8) & 0xFF) < kDarkLimit &&
         (p & 0xFF) < kDarkLimit;
}

// Where a caption's ink lies in its room: the runs of rows that hold ink (its lines) and
// whether any ink touches the room's edges, where a cut line would end.
struct Ink {
  std::vector<std::pair<int, int>> lines;  // first and one past the last row of each
  bool atBottom = false;
  bool atLeft = false;
  bool atRight = false;
};

Ink InkIn(const SDL_Surface& surface, const SDL_Rect& room) {
  Ink ink;
  bool inLine = false;
  for (int y = room.y; y < room.y + room.h; ++y) {
    bool any = false;
    for (int x = room.x; x < room.x + room.w; ++x) {
      if (Dark(surface, x, y)) {
        any = true;
        ink.atBottom |= y == room.y + room.h - 1;
        ink.atLeft |= x == room.x;
        ink.atRight |= x == room.x + room.w - 1;
      }
    }
    if (any && !inLine) {
      ink.lines.emplace_back(y, y + 1);
    } else if (any) {
      ink.lines.back().second = y + 1;
    }
    inLine = any;
  }
  return ink;
}

// The widest run of columns without ink between the first and the last inked column of rows.
int WidestBlank(const SDL_Surface& surface, const SDL_Rect& room, std::pair<int, int> rows) {
  std::vector<bool> inked(static_cast<size_t>(room.w));
  for (int y = rows.first; y < rows.second; ++y) {
    for (int x = 0; x < room.w; ++x) {
      inked[static_cast<size_t>(x)] = inked[static_cast<size_t>(x)] || Dark(surface, room.x + x, y);
    }
  }
  const auto first = std::find(inked.begin(), inked.end(), true);
  const auto last = std::find(inked.rbegin(), inked.rend(), true).base();
  int widest = 0;
  int run = 0;
  for (auto it = first; it < last; ++it) {
    run = *it ? 0 : run + 1;
    widest = std::max(widest, run);
  }
  return widest;
}

struct Caption {
  std::string name;
  SDL_Rect room;
  Ink ink;
  bool centred;
};

// The forms that show every caption: the start with each of the status captions, and a game
// over with the taunt, the buttons and the banner in the field.
std::vector<Form> CaptionForms() {
  std::vector<Form> forms;
  for (const char* status :
       {"PRESS THE SPACE BAR TO START", " PRESS THE SPACE BAR TO START", "PRESS 'P' TO PAUSE"}) {
    Form form = MakeForm();
    form.Start.Caption = status;
    form.lblScore.Caption = "999999";
    form.high.Caption = "123456";
    forms.push_back(form);
  }
  Form over = MakeForm();
  over.lblfunny.Visible = true;
  over.Restart.Visible = true;
  over.endgame.Visible = true;
  over.lblnext.Top = 3000;
  forms.push_back(over);
  return forms;
}

std::vector<Caption> CaptionsAt(int width, int height) {
  OffscreenPicture offscreen(width, height);
  const Viewport& view = offscreen.View();
  std::vector<Caption> captions;
  int formIndex = 0;
  for (const Form& form : CaptionForms()) {
    offscreen.Draw(form, {ButtonId::None, ButtonId::None, ButtonId::None});
    const SDL_Surface& surface = offscreen.Surface();
    // The high score's first row of pixels is the last of "High Score" above it, and is the
    // high score's.
    const auto add = [&](const std::string& name, const auto& control, int inset, bool centred,
                         double twipsHidden = 0) {
      if (!control.Visible) {
        return;
      }
      const auto rect =
          view.PixelRect(control.Left, control.Top, control.Width, control.Height - twipsHidden);
      ASSERT_TRUE(rect) << name;
      const SDL_Rect room{rect->x + inset, rect->y + inset, rect->w - 2 * inset,
                          rect->h - 2 * inset};
      captions.push_back(
          {std::to_string(formIndex) + " " + name, room, InkIn(surface, room), centred});
    };
    const int bevel = 2 * view.Stroke();
    add("Start", form.Start, 0, true);
    add("Label1", form.Label1, 0, false);
    add("Highscore", form.Highscore, 0, false, kTwipsPerPixel);
    add("high", form.high, 0, true);
    add("Score", form.Score, 0, true);
    add("lblScore", form.lblScore, 0, true);
    add("lblfunny", form.lblfunny, 0, true);
    if (form.lblfunny.Visible) {
      // Elsewhere the banner lies under the panel.
      add("lblnext", form.lblnext, 0, false);
    }
    add("Restart", form.Restart, bevel, true);
    add("endgame", form.endgame, bevel, true);
    ++formIndex;
  }
  return captions;
}

// The sizes from the smallest window to a 4K screen, at most 15 pixels of height apart, and a
// few of other proportions.
std::vector<std::pair<int, int>> Sizes() {
  std::vector<std::pair<int, int>> sizes = {
      {1900, 600}, {700, 1400}, {3840, 2160}, {kMinimumWindowWidth + 7, kMinimumWindowHeight}};
  for (int height = kMinimumWindowHeight; height <= 2160; height += 15) {
    sizes.emplace_back(static_cast<int>(std::lround(height * 992.0 / 821)), height);
  }
  return sizes;
}

TEST(Fit, EveryCaptionKeepsItsLinesWholeInsideItsControlAtEverySize) {
  const std::vector<Caption> design = CaptionsAt(kPictureWidth, kPictureHeight);
  ASSERT_EQ(design.size(), 28u);
  EXPECT_EQ(design[0].ink.lines.size(), 3u) << "PRESS THE / SPACE BAR TO / START";
  for (const auto& [width, height] : Sizes()) {
    const std::vector<Caption> drawn = CaptionsAt(width, height);
    ASSERT_EQ(drawn.size(), design.size());
    for (size_t i = 0; i < drawn.size(); ++i) {
      const Caption& c = drawn[i];
      const std::string what =
          c.name + " at " + std::to_string(width) + " x " + std::to_string(height);
      EXPECT_EQ(c.ink.lines.size(), design[i].ink.lines.size()) << what;
      EXPECT_FALSE(c.ink.atBottom) << what;
      EXPECT_FALSE(c.ink.atRight) << what;
      EXPECT_FALSE(c.centred && c.ink.atLeft) << what;
    }
  }
}

// Below the smallest window, as a screenshot may be drawn, the status keeps its last line
// whole, where it was once cut. (Its tiny lines' faint edges may split one line in two bands.)
TEST(Fit, TheStatusKeepsItsLastLineInSmallPictures) {
  for (const auto& [width, height] : {std::pair{248, 205},
                                      {265, 220},
                                      {302, 250},
                                      {429, 355},
                                      {483, 400},
                                      {495, 410},
                                      {520, 430},
                                      {544, 450},
                                      {543, 450},
                                      {1900, 400}}) {
    const std::string what = std::to_string(width) + " x " + std::to_string(height);
    // A copy: the captions found are a temporary.
    const Caption status = CaptionsAt(width, height).front();
    EXPECT_GE(status.ink.lines.size(), 3u) << what;
    EXPECT_FALSE(status.ink.atBottom) << what;
  }
}

TEST(Fit, TheSmallestWindowReads) {
  for (const Caption& c : CaptionsAt(kMinimumWindowWidth, kMinimumWindowHeight)) {
    ASSERT_FALSE(c.ink.lines.empty()) << c.name;
    for (const auto& [top, bottom] : c.ink.lines) {
      EXPECT_GE(bottom - top, 9) << c.name;
    }
  }
  // The blank between the first two words stays a column of no ink, wider than the gaps
  // between letters.
  OffscreenPicture offscreen(kMinimumWindowWidth, kMinimumWindowHeight);
  const Form form = MakeForm();
  offscreen.Draw(form);
  const Viewport& view = offscreen.View();
  for (const Label* label : {&form.Start, &form.Label1, &form.Highscore}) {
    const SDL_Rect room = *view.PixelRect(label->Left, label->Top, label->Width, label->Height);
    const Ink ink = InkIn(offscreen.Surface(), room);
    ASSERT_FALSE(ink.lines.empty()) << label->Caption;
    EXPECT_GE(WidestBlank(offscreen.Surface(), room, ink.lines[0]), 3) << label->Caption;
  }
}

// A control's size in pixels is its size in twips scaled to the nearest pixel, from its first
// pixel to one stroke past the start of its last, at scales whose products have fractions.
TEST(Fit, EveryControlsSizeIsItsScaledSizeToTheNearestPixel) {
  for (const auto& [width, height] : {std::pair{1333, 977}, {1500, 1241}, {700, 580}}) {
    const Viewport view = Viewport::Fit(width, height);
    const double across = static_cast<double>(view.picture.w) / kClientWidth;
    const double down = static_cast<double>(view.picture.h) / kClientHeight;
    for (const LayoutRow& row : StartingLayout) {
      if (row.Id == ControlId::Line || row.Id == ControlId::LegendShape ||
          row.Id == ControlId::Timer1) {
        continue;
      }
      const auto rect = view.PixelRect(row.A, row.B, row.C, row.D);
      ASSERT_TRUE(rect);
      const std::string what = std::to_string(static_cast<int>(row.Id)) + "(" +
                               std::to_string(row.Index) + ") at " + std::to_string(width) + " x " +
                               std::to_string(height);
      EXPECT_NEAR(rect->w, (row.C - kTwipsPerPixel) * across + view.Stroke(), 0.5) << what;
      EXPECT_NEAR(rect->h, (row.D - kTwipsPerPixel) * down + view.Stroke(), 0.5) << what;
    }
  }
}

// The length of the run of dark pixels through (x, y) along one axis.
int DarkRun(const SDL_Surface& surface, int x, int y, int dx, int dy) {
  if (!Dark(surface, x, y)) {
    return 0;
  }
  int run = 1;
  for (int sign : {-1, 1}) {
    for (int step = 1; Dark(surface, x + sign * step * dx, y + sign * step * dy); ++step) {
      ++run;
    }
  }
  return run;
}

TEST(Fit, TheKeySquaresShareOneStrokeAtOddSizes) {
  const Form form = MakeForm();
  const Shape& up = form.Shapes[0];
  const Shape& down = form.Shapes[1];
  const Shape& right = form.Shapes[2];
  for (const auto& [width, height] :
       {std::pair{1400, 1000}, {1111, 917}, {1303, 1077}, {2000, 1650}, {992, 821}}) {
    OffscreenPicture offscreen(width, height);
    offscreen.Draw(form);
    const SDL_Surface& surface = offscreen.Surface();
    const Viewport& view = offscreen.View();
    const int stroke = view.Stroke();
    const std::string what = std::to_string(width) + " x " + std::to_string(height);
    // Away from the arrows in the squares' middles.
    const int x = static_cast<int>(view.X(down.Left + 150));
    const int y = static_cast<int>(view.Y(down.Top + 150));
    const auto across = [&](double twipsY) {
      return DarkRun(surface, x, view.PixelRect(0, twipsY, 15, 15)->y, 0, 1);
    };
    const auto along = [&](double twipsX) {
      return DarkRun(surface, view.PixelRect(twipsX, 0, 15, 15)->x, y, 1, 0);
    };
    EXPECT_EQ(across(up.Top), stroke) << what << ", the top of the up key";
    EXPECT_EQ(across(down.Top), stroke) << what << ", between up and down";
    EXPECT_EQ(along(down.Left), stroke) << what << ", between left and down";
    EXPECT_EQ(along(right.Left), stroke) << what << ", between down and right";
  }
}

}  // namespace
}  // namespace zentor::testing
