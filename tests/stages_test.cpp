#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>

#include "game/game.h"
#include "rocks/rocks.h"
#include "test_host.h"

namespace zentor {
namespace {

using testing::LoadedGame;

constexpr float kLargestBelowOne = 0.99999994f;

// A loaded game whose next tick is the one that makes the score read `score`, with the square
// at its home place, away from every rock the cases below put down.
struct GameBefore : LoadedGame {
  explicit GameBefore(int score) {
    game.form.lblScore.Caption = std::to_string(score - 1);
    game.form.Red.Width = 500;
    game.form.Red.Height = 500;
  }
  Shape& RockAt(int index) { return game.form.Rock.at(index); }
  void Tick() { OnTimerTick(game); }
};

TEST(StageWindows, EachWrapRoutineThatRunsReseedsOnce) {
  // WrapBottom every tick, Stage2WrapLeft 1000..2000, two stage-3 wraps 2000..3000, one stage-4
  // wrap 3000..4000, two stage-5 wraps 4000..5000: both bounds of every window count.
  const std::pair<int, int> cases[] = {
      {1, 1},    {999, 1},  {1000, 2}, {1001, 2}, {1999, 2}, {2000, 4}, {2001, 3}, {2999, 3},
      {3000, 4}, {3001, 2}, {3999, 2}, {4000, 4}, {4001, 3}, {5000, 3}, {5001, 1}, {123456, 1},
  };
  for (const auto& [score, reseeds] : cases) {
    SCOPED_TRACE("score " + std::to_string(score));
    GameBefore g(score);
    g.FeedZeros(100);
    const int before = g.host.reseeds;
    g.Tick();
    EXPECT_EQ(g.game.form.lblScore.Caption, std::to_string(score));
    EXPECT_EQ(g.host.reseeds - before, reseeds);
  }
}

TEST(StageMotion, EachStageMovesItsOwnRocksFromTheirStartScores) {
  struct Case {
    int score;
    int rock;
    float dLeft;
    float dTop;
  };
  // A rock at (3000, 4000) with speed 137 is inside every limit and clear of the square.
  const Case cases[] = {
      {1, 0, 0, 137},     {9, 1, 0, 0},       {10, 1, 0, 137},   {10, 11, 0, 137},
      {59, 6, 0, 0},      {60, 6, 0, 137},    {999, 8, 0, 137},  {1001, 0, 0, 0},
      {1029, 9, 0, 0},    {1030, 9, -137, 0}, {1139, 6, 0, 0},   {1140, 6, -137, 0},
      {1999, 0, -137, 0}, {2089, 1, 0, 0},    {2090, 1, 137, 0}, {2090, 8, -137, 0},
      {2139, 6, 0, 0},    {2140, 6, -137, 0}, {2999, 4, 137, 0}, {2999, 9, 0, 0},
      {2500, 11, 0, 0},   {3029, 9, 0, 0},    {3030, 9, 137, 0}, {3140, 6, 137, 0},
      {3999, 11, 137, 0}, {4029, 9, 0, 0},    {4030, 9, 0, 137}, {4090, 1, 137, 0},
      {4140, 6, 0, 137},  {4119, 2, 0, 0},    {5000, 0, 137, 0}, {5000, 11, 0, 137},
      {5001, 0, 0, 0},    {5001, 11, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("score " + std::to_string(c.score) + ", rock " + std::to_string(c.rock));
    GameBefore g(c.score);
    g.FeedZeros(100);
    g.RockAt(c.rock).Left = 3000;
    g.RockAt(c.rock).Top = 4000;
    g.game.RockSpeed.at(c.rock) = 137;
    g.Tick();
    EXPECT_EQ(g.RockAt(c.rock).Left, 3000 + c.dLeft);
    EXPECT_EQ(g.RockAt(c.rock).Top, 4000 + c.dTop);
    EXPECT_TRUE(g.host.boxes.empty());
  }
}

TEST(StageMotion, TheCollisionTestSeesTheFallAndSlideOfItsTickButNotTheLaterStages) {
  struct Case {
    int score;
    int rock;
    float left;
    float top;
    bool hit;
  };
  // The square stands at (6840, 7080), 500 wide; each rock moves 137 into it on this tick.
  const Case cases[] = {
      {1000, 0, 6840, 5935, true},   // the first stage's fall still runs at 1000
      {1001, 0, 6840, 5935, false},  // and no longer at 1001
      {2000, 9, 7390, 7080, true},   // the second stage's slide still runs at 2000
      {2001, 9, 7390, 7080, false},  // the third stage leaves rock 9 alone
      {2500, 0, 5695, 7080, false},  // the third stage moves rock 0 only after the test
      {3500, 0, 5695, 7080, false},  // so does the fourth
      {4500, 5, 6840, 5935, false},  // and the fifth
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("score " + std::to_string(c.score));
    GameBefore g(c.score);
    g.FeedZeros(100);
    g.RockAt(c.rock).Left = c.left;
    g.RockAt(c.rock).Top = c.top;
    g.game.RockSpeed.at(c.rock) = 137;
    g.Tick();
    EXPECT_EQ(g.host.boxes.size(), c.hit ? 1u : 0u);
  }
}

TEST(StageWraps, RocksWrapAtTheirLimitsWithTheRangeOfTheirRoutine) {
  struct Case {
    const char* what;
    int score;
    int rock;
    float left;
    float top;
    WindowFrame frame;
    float redWidth;
    float expectedLeft;
    float expectedTop;
    int16_t expectedSpeed;  // 137 when the rock keeps its speed
  };
  // The top of the random range is drawn, so a wrap shows the upper bound of its routine. Every
  // score lies before the rock's start score, so nothing slides after the wrap.
  const Case cases[] = {
      {"bottom edge on the line",
       2500,
       10,
       12480,
       11220,
       {0, 1000, 15000, 12750},
       500,
       12480,
       480,
       250},
      {"bottom edge one twip above it",
       2500,
       10,
       12480,
       11219,
       {0, 0, 15000, 12750},
       500,
       12480,
       11219,
       137},
      {"stage 2: two widths past the left edge",
       1020,
       5,
       -2190,
       4000,
       {3000, 0, 15000, 12750},
       500,
       13560,
       4000,
       250},
      {"stage 2: one twip short",
       1020,
       5,
       -2189,
       4000,
       {0, 0, 15000, 12750},
       500,
       -2189,
       4000,
       137},
      {"stage 3 right: at the client width",
       2050,
       0,
       14880,
       480,
       {2000, 0, 15000, 12750},
       500,
       0,
       480,
       250},
      {"stage 3 right: one twip short",
       2050,
       0,
       14879,
       480,
       {0, 0, 15000, 12750},
       500,
       14879,
       480,
       137},
      {"stage 3 left: twice the square's width",
       2050,
       5,
       -1400,
       480,
       {2000, 0, 15000, 12750},
       700,
       13800,
       480,
       200},
      {"stage 3 left: one twip short",
       2050,
       5,
       -1399,
       480,
       {0, 0, 15000, 12750},
       700,
       -1399,
       480,
       137},
      {"stage 3 left: a wider square",
       2050,
       5,
       -1400,
       480,
       {0, 0, 15000, 12750},
       800,
       -1400,
       480,
       137},
      {"stage 3 right: rocks 9 to 11 are not its group",
       2050,
       9,
       14880,
       480,
       {0, 0, 15000, 12750},
       500,
       14880,
       480,
       137},
      {"stage 4: at the outer width",
       3010,
       11,
       15000,
       480,
       {1500, 0, 15000, 12750},
       500,
       0,
       480,
       200},
      {"stage 4: one twip short", 3010, 11, 14999, 480, {0, 0, 15000, 12750}, 500, 14999, 480, 137},
      {"stage 4: a narrow window", 3010, 3, 9000, 480, {0, 0, 9000, 12750}, 500, 0, 480, 200},
      {"stage 5 right: at the outer width",
       4010,
       0,
       15000,
       480,
       {0, 0, 15000, 12750},
       500,
       0,
       480,
       200},
      {"stage 5 right: falling rocks are not its group",
       4010,
       5,
       20000,
       480,
       {0, 0, 15000, 12750},
       500,
       20000,
       480,
       137},
      {"stage 5 bottom: at the outer height",
       4010,
       2,
       1560,
       8640,
       {0, 2000, 15000, 8640},
       500,
       1560,
       480,
       200},
      {"stage 5 bottom: one twip short",
       4010,
       2,
       1560,
       8639,
       {0, 0, 15000, 8640},
       500,
       1560,
       8639,
       137},
      {"stage 5 bottom: falling rocks are not its group",
       4010,
       5,
       8880,
       8640,
       {0, 0, 15000, 8640},
       500,
       8880,
       8640,
       137},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GameBefore g(c.score);
    g.host.randoms = {kLargestBelowOne};
    g.FeedZeros(100);
    g.host.frame = c.frame;
    g.game.form.Red.Width = c.redWidth;
    g.game.form.Red.Height = c.redWidth;
    g.RockAt(c.rock).Left = c.left;
    g.RockAt(c.rock).Top = c.top;
    g.game.RockSpeed.at(c.rock) = 137;
    g.Tick();
    EXPECT_EQ(g.RockAt(c.rock).Left, c.expectedLeft);
    EXPECT_EQ(g.RockAt(c.rock).Top, c.expectedTop);
    EXPECT_EQ(g.game.RockSpeed.at(c.rock), c.expectedSpeed);
  }
}

TEST(StageChanges, SquareSizeBannerAndTauntFollowTheScore) {
  struct Case {
    int score;
    float size;
    float bannerStep;
    bool tauntBefore;
    bool tauntAfter;
  };
  const Case cases[] = {
      {999, 500, 0, false, false},    {1000, 800, 200, false, false},
      {1001, 700, 200, false, false}, {1999, 700, 200, false, false},
      {2000, 800, 200, false, true},  {2001, 700, 200, true, true},
      {2049, 700, 200, true, true},   {2050, 700, 200, true, false},
      {2051, 700, 200, false, false}, {3000, 800, 200, false, false},
      {3001, 700, 200, false, false}, {4000, 700, 200, false, false},
      {4001, 700, 200, false, false}, {5001, 700, 200, false, false},
      {99999, 700, 200, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("score " + std::to_string(c.score));
    GameBefore g(c.score);
    g.FeedZeros(100);
    g.game.form.lblfunny.Visible = c.tauntBefore;
    g.game.form.lblnext.Top = 5000;
    g.Tick();
    EXPECT_EQ(g.game.form.Red.Width, c.size);
    EXPECT_EQ(g.game.form.Red.Height, c.size);
    EXPECT_EQ(g.game.form.lblnext.Top, 5000 + c.bannerStep);
    EXPECT_EQ(g.game.form.lblfunny.Visible, c.tauntAfter);
  }
}

TEST(StageChanges, OnlyTheTickAtTwoThousandSendsTheSquareHome) {
  for (const int score : {1999, 2000, 2001}) {
    SCOPED_TRACE("score " + std::to_string(score));
    GameBefore g(score);
    g.FeedZeros(100);
    g.game.form.Red.Left = 11000;
    g.game.form.Red.Top = 3000;
    g.Tick();
    const bool home = score == 2000;
    EXPECT_EQ(g.game.form.Red.Left, home ? kPlayerHomeLeft : 11000);
    EXPECT_EQ(g.game.form.Red.Top, home ? kPlayerHomeTop : 3000);
  }
}

TEST(StageChanges, TheStageScoresPlaceTheirFormations) {
  using Formation = std::array<std::pair<float, float>, kRockCount>;
  const std::pair<int, Formation> cases[] = {
      {1000,
       {{{0, 0},
         {0, 0},
         {13560, 1440},
         {13560, 1200},
         {13560, 2400},
         {13560, 3600},
         {13560, 4800},
         {13560, 6000},
         {13560, 7200},
         {13560, 8400},
         {13560, 9600},
         {13560, 10920}}}},
      {2000,
       {{{0, 2160},
         {0, 4320},
         {0, 6480},
         {0, 8640},
         {0, 10800},
         {13800, 3240},
         {13800, 5400},
         {13800, 7560},
         {13800, 9720},
         {0, 0},
         {0, 0},
         {0, 0}}}},
      {3000,
       {{{0, 0},
         {0, 0},
         {0, 1440},
         {0, 1200},
         {0, 2400},
         {0, 3600},
         {0, 4800},
         {0, 6000},
         {0, 7200},
         {0, 8400},
         {0, 9600},
         {0, 10920}}}},
      {4000,
       {{{0, 2160},
         {0, 4320},
         {0, 6480},
         {0, 8640},
         {0, 10920},
         {5400, 480},
         {3240, 480},
         {13320, 480},
         {1080, 480},
         {7200, 480},
         {11400, 480},
         {9360, 480}}}},
  };
  for (const auto& [score, formation] : cases) {
    SCOPED_TRACE("score " + std::to_string(score));
    GameBefore g(score);
    g.FeedZeros(100);
    g.Tick();
    for (int i = 0; i < kRockCount; ++i) {
      EXPECT_EQ(g.RockAt(i).Left, formation.at(i).first) << "rock " << i;
      EXPECT_EQ(g.RockAt(i).Top, formation.at(i).second) << "rock " << i;
    }
  }
  // Between the stage scores no formation is placed: the rocks stay where the routines leave them.
  GameBefore g(2501);
  g.FeedZeros(100);
  g.RockAt(10).Left = 4321;
  g.Tick();
  EXPECT_EQ(g.RockAt(10).Left, 4321);
}

TEST(LongGame, PlaysFarPastFiveThousandWithTheBannerStillMoving) {
  // Above 5000 no routine moves the rocks, so a square away from them survives for ever; the
  // banner's Top grows by 200 a tick and reaches 4e7, where singles are still 4 twips apart.
  GameBefore g(5001);
  const Form start = g.game.form;
  constexpr int kTicks = 200000;
  int bannerMisses = 0;
  for (int i = 0; i < kTicks; ++i) {
    const float banner = g.game.form.lblnext.Top;
    g.Tick();
    bannerMisses += g.game.form.lblnext.Top != banner + 200;
  }
  EXPECT_EQ(bannerMisses, 0);
  EXPECT_EQ(g.game.form.lblnext.Top, 360 + 200.0f * kTicks);
  EXPECT_EQ(g.game.form.lblScore.Caption, std::to_string(5000 + kTicks));
  EXPECT_TRUE(g.host.boxes.empty());
  for (int i = 0; i < kRockCount; ++i) {
    EXPECT_EQ(g.RockAt(i).Left, start.Rock.at(i).Left) << "rock " << i;
    EXPECT_EQ(g.RockAt(i).Top, start.Rock.at(i).Top) << "rock " << i;
  }
}

}  // namespace
}  // namespace zentor
