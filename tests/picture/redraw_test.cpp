// Drawing only what changed, as the desktop window does each frame: after every step of a game
// the picture drawn in parts must be the picture drawn whole, pixel for pixel, at every size.
#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "autopilot.h"
#include "picture/damage.h"
#include "picture/offscreen.h"
#include "playfield/layout.h"

namespace zentor::testing {
namespace {

using bench::FindSurvivingPath;
using bench::QueueHost;
using bench::StartGame;
using bench::Steer;
using bench::Turn;

// The first pixel where two pictures of one size differ, or "" when none does.
std::string FirstDifference(const SDL_Surface& a, const SDL_Surface& b) {
  for (int y = 0; y < a.h; ++y) {
    const auto* rowA =
        reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(a.pixels) + y * a.pitch);
    const auto* rowB =
        reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(b.pixels) + y * b.pitch);
    if (std::memcmp(rowA, rowB, sizeof(Uint32) * static_cast<size_t>(a.w)) == 0) {
      continue;
    }
    for (int x = 0; x < a.w; ++x) {
      if (rowA[x] != rowB[x]) {
        return "pixel " + std::to_string(x) + "," + std::to_string(y) + ": in parts " +
               std::to_string(rowA[x] & 0xFFFFFF) + ", whole " + std::to_string(rowB[x] & 0xFFFFFF);
      }
    }
  }
  return "";
}

// Two pictures of one size: one drawn only where things changed, the other whole each time.
class Pair {
 public:
  Pair(int width, int height) : parts_(width, height), whole_(width, height) {}

  // Draws both and says where they differ; "" when they agree.
  std::string Show(const Form& form, const ButtonLook& look = {}) {
    parts_.DrawChanges(form, look);
    whole_.Draw(form, look);
    return FirstDifference(parts_.Surface(), whole_.Surface());
  }

 private:
  OffscreenPicture parts_;
  OffscreenPicture whole_;
};

struct Size {
  int width;
  int height;
};

void PrintTo(const Size& size, std::ostream* out) {
  *out << size.width << " x " << size.height;
}

// The window's own size, smaller and letterboxed with one-pixel lines, half as large again with
// two-pixel lines and button edges, and wider than the picture.
constexpr Size kSizes[] = {{992, 821}, {640, 480}, {1488, 1232}, {1400, 700}};

// Stretches of a game whose frames are compared: the start, and each stage change with the
// banner and the taunt, up to the last stage.
constexpr int kWindowTicks = 24;
constexpr int kWindowStarts[] = {0, 990, 1995, 2990, 3990, 4990};
constexpr int kGameTicks = 5014;

const std::vector<Turn>& Path() {
  static const std::vector<Turn> path = FindSurvivingPath(kGameTicks).value_or(std::vector<Turn>{});
  return path;
}

bool Compared(int tick) {
  for (const int start : kWindowStarts) {
    if (tick >= start && tick < start + kWindowTicks) {
      return true;
    }
  }
  return false;
}

class RedrawAtSize : public ::testing::TestWithParam<Size> {};

TEST_P(RedrawAtSize, EveryStageDrawnInPartsIsThePictureDrawnWhole) {
  ASSERT_FALSE(Path().empty()) << "no surviving path";
  Pair pair(GetParam().width, GetParam().height);
  QueueHost host;
  Game game(host);
  OnLoad(game);
  ASSERT_EQ(pair.Show(game.form), "") << "waiting for the space bar";
  StartGame(game);
  size_t turn = 0;
  for (int tick = 0; tick < kGameTicks; ++tick) {
    while (turn < Path().size() && Path()[turn].tick == tick) {
      Steer(game, Path()[turn++]);
    }
    OnTimerTick(game);
    if (Compared(tick)) {
      ASSERT_EQ(pair.Show(game.form), "") << "tick " << tick;
    }
  }
  ASSERT_TRUE(game.form.Timer1.Enabled) << "the game ended on the way";
}

TEST_P(RedrawAtSize, AGameOverAndTheButtonsDrawnInPartsAreThePictureDrawnWhole) {
  Pair pair(GetParam().width, GetParam().height);
  QueueHost host;
  Game game(host);
  StartGame(game);
  ASSERT_EQ(pair.Show(game.form), "");
  // The square waits where it starts until a rock hits it.
  for (int tick = 0; tick < 2000 && host.boxes == 0; ++tick) {
    OnTimerTick(game);
    ASSERT_EQ(pair.Show(game.form), "") << "tick " << tick;
  }
  ASSERT_EQ(host.boxes, 1u);
  ASSERT_TRUE(game.form.Restart.Visible);
  const ButtonLook looks[] = {
      {ButtonId::Restart, ButtonId::None, ButtonId::Restart},
      {ButtonId::Restart, ButtonId::Restart, ButtonId::Restart},
      {ButtonId::endgame, ButtonId::None, ButtonId::Restart},
      {ButtonId::None, ButtonId::None, ButtonId::endgame},
      {},
  };
  for (const ButtonLook& look : looks) {
    ASSERT_EQ(pair.Show(game.form, look), "")
        << "hover " << static_cast<int>(look.hover) << ", pressed "
        << static_cast<int>(look.pressed) << ", focus " << static_cast<int>(look.focus);
  }
  OnRestartClick(game);
  ASSERT_EQ(pair.Show(game.form), "") << "after the restart";
  OnKeyDown(game, kKeySpace, 0);
  OnTimerTick(game);
  ASSERT_EQ(pair.Show(game.form), "") << "the next game";
}

INSTANTIATE_TEST_SUITE_P(Sizes, RedrawAtSize, ::testing::ValuesIn(kSizes),
                         [](const ::testing::TestParamInfo<Size>& size) {
                           return std::to_string(size.param.width) + "x" +
                                  std::to_string(size.param.height);
                         });

// At a scale that is not whole a rock's edges fall on different fractions of a pixel as it moves;
// it must still be one image, rasterised once for the whole game.
TEST(RedrawAtSize, AGamePlayedAtAnyScaleRasterisesItsRocksOnce) {
  ASSERT_FALSE(Path().empty()) << "no surviving path";
  for (const Size size : {Size{1500, 1241}, Size{2610, 2160}}) {
    OffscreenPicture picture(size.width, size.height);
    QueueHost host;
    Game game(host);
    StartGame(game);
    picture.DrawChanges(game.form);
    const uint64_t first = picture.Cache().OvalsRasterised();
    EXPECT_GT(first, 0u);
    EXPECT_LE(first, static_cast<uint64_t>(kRockCount));
    // The first two stages: the rocks fall and cross the field at every speed.
    size_t turn = 0;
    for (int tick = 0; tick < kWindowStarts[2]; ++tick) {
      while (turn < Path().size() && Path()[turn].tick == tick) {
        Steer(game, Path()[turn++]);
      }
      OnTimerTick(game);
      picture.DrawChanges(game.form);
    }
    EXPECT_EQ(picture.Cache().OvalsRasterised(), first) << size.width << " x " << size.height;
  }
}

TEST(Damage, NothingChangedDrawsNothingAndANewOutputDrawsEverything) {
  const Form form = MakeForm();
  const Viewport small = Viewport::Fit(992, 821);
  Damage damage;
  EXPECT_TRUE(damage.Since(form, {}, small).whole) << "the first frame";
  const Redraw same = damage.Since(form, {}, small);
  EXPECT_FALSE(same.whole);
  EXPECT_TRUE(same.areas.empty());
  EXPECT_TRUE(damage.Since(form, {}, Viewport::Fit(1200, 821)).whole) << "a new size";
  damage.All();
  EXPECT_TRUE(damage.Since(form, {}, small).whole) << "after All";
}

TEST(Damage, AMovedControlRedrawsWhereItWasAndWhereItIs) {
  Form form = MakeForm();
  form.Start.Visible = false;
  const Viewport viewport = Viewport::Fit(992, 821);
  Damage damage;
  damage.Since(form, {}, viewport);
  // Shape Red (the square) from 6840,7080 to 9840,9080: 456,472 and 656,605 at scale 1.
  form.Red.Left = 9840;
  form.Red.Top = 9080;
  const Redraw moved = damage.Since(form, {}, viewport);
  ASSERT_FALSE(moved.whole);
  ASSERT_EQ(moved.areas.size(), 2u);
  EXPECT_EQ(moved.areas[0].x, 456);
  EXPECT_EQ(moved.areas[0].y, 472);
  EXPECT_EQ(moved.areas[1].x, 656);
  EXPECT_EQ(moved.areas[1].y, 605);
  for (const SDL_Rect& area : moved.areas) {
    EXPECT_EQ(area.w, 33);
    EXPECT_EQ(area.h, 33);
  }
  // A hidden control changed in a field that does not show draws nothing.
  form.lblfunny.Caption = "something else";
  EXPECT_TRUE(damage.Since(form, {}, viewport).areas.empty());
  // Only the buttons change with the look.
  form.Restart.Visible = true;
  damage.Since(form, {}, viewport);
  const Redraw hovered = damage.Since(form, {ButtonId::Restart}, viewport);
  ASSERT_EQ(hovered.areas.size(), 1u);
  EXPECT_EQ(hovered.areas[0].x, 248);
  EXPECT_EQ(hovered.areas[0].y, 376);
}

TEST(MergeAreas, JoinsRectanglesWhileTheBoxAroundThemHasNoMorePixels) {
  struct Case {
    const char* name;
    std::vector<SDL_Rect> areas;
    std::vector<SDL_Rect> merged;
  };
  const Case cases[] = {
      {"none", {}, {}},
      {"apart", {{0, 0, 10, 10}, {20, 0, 10, 10}}, {{0, 0, 10, 10}, {20, 0, 10, 10}}},
      {"a rock where it was and where it is", {{0, 0, 73, 73}, {0, 12, 73, 73}}, {{0, 0, 73, 85}}},
      {"sharing an edge", {{0, 0, 10, 10}, {10, 0, 10, 10}}, {{0, 0, 20, 10}}},
      {"one inside another", {{0, 0, 30, 30}, {5, 5, 2, 2}}, {{0, 0, 30, 30}}},
      {"meeting at a corner",
       {{0, 0, 10, 10}, {10, 10, 10, 10}},
       {{0, 0, 10, 10}, {10, 10, 10, 10}}},
      {"overlapping a little", {{0, 0, 10, 10}, {5, 5, 10, 10}}, {{0, 0, 10, 10}, {5, 5, 10, 10}}},
      // The first and the last joined make a box that the second then joins, which it would not
      // join with either alone.
      {"in a chain", {{0, 0, 10, 10}, {10, 0, 10, 20}, {0, 10, 10, 10}}, {{0, 0, 20, 20}}},
  };
  for (const Case& c : cases) {
    std::vector<SDL_Rect> areas = c.areas;
    MergeAreas(areas);
    ASSERT_EQ(areas.size(), c.merged.size()) << c.name;
    for (size_t i = 0; i < areas.size(); ++i) {
      EXPECT_TRUE(SDL_RectEquals(&areas[i], &c.merged[i])) << c.name << ", area " << i;
    }
  }
}

}  // namespace
}  // namespace zentor::testing
