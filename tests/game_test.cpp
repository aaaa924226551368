#include <gtest/gtest.h>

#include <cmath>

#include "game/game.h"
#include "playfield/layout.h"
#include "rocks/rocks.h"
#include "test_host.h"

namespace zentor {
namespace {

using testing::LoadedGame;
using testing::TestHost;

constexpr float kLargestBelowOne = 0.99999994f;

// The smallest single r for which r x n, carried in double, reaches whole.
float FirstReaching(double whole, double n) {
  float r = static_cast<float>(whole / n);
  while (static_cast<double>(r) * n >= whole) {
    r = std::nextafter(r, 0.0f);
  }
  while (static_cast<double>(r) * n < whole) {
    r = std::nextafter(r, 1.0f);
  }
  return r;
}

TEST(RandomBetween, MapsTheDrawOntoTheWholeRange) {
  struct Case {
    float r;
    int16_t upper;
    int16_t expected;
  };
  const float one = FirstReaching(1, 151);
  const float last = FirstReaching(150, 151);
  const Case cases[] = {
      {0.0f, 250, 100},
      {kLargestBelowOne, 250, 250},
      {kLargestBelowOne, 200, 200},
      {one, 250, 101},
      {std::nextafter(one, 0.0f), 250, 100},
      {last, 250, 250},
      {std::nextafter(last, 0.0f), 250, 249},
      {FirstReaching(100, 101), 200, 200},
      {0.5f, 250, 175},
      {0.5f, 200, 150},
  };
  for (const Case& c : cases) {
    TestHost host;
    Game game(host);
    host.randoms = {c.r};
    EXPECT_EQ(RandomBetween(game, kSpeedLow, c.upper), c.expected) << "r=" << c.r;
  }
}

TEST(OnLoad, ReseedsOnceAndDrawsTwelveSpeedsInIndexOrder) {
  TestHost host;
  Game game(host);
  for (int i = 0; i < kRockCount; ++i) {
    host.randoms.push_back((static_cast<float>(i) + 0.5f) / 151);
  }
  OnLoad(game);
  EXPECT_EQ(host.reseeds, 1);
  for (int i = 0; i < kRockCount; ++i) {
    EXPECT_EQ(game.RockSpeed[i], 100 + i);
  }
  EXPECT_FALSE(game.form.Timer1.Enabled);
  EXPECT_EQ(game.form.Start.Caption, "PRESS THE SPACE BAR TO START");
}

TEST(Keyboard, ArrowsSetAndClearTheSteps) {
  struct Event {
    bool down;
    int16_t code;
    int16_t stepX;
    int16_t stepY;
  };
  const Event events[] = {
      {true, kKeyRight, 200, 0},  {true, kKeyLeft, -200, 0},  {false, kKeyLeft, 0, 0},
      {true, kKeyUp, 0, -200},    {true, kKeyDown, 0, 200},   {true, kKeyLeft, -200, 200},
      {false, kKeyRight, 0, 200}, {false, kKeyUp, 0, 0},      {true, 65, 0, 0},
      {true, kKeyDown, 0, 200},   {false, kKeySpace, 0, 200}, {false, kKeyP, 0, 200},
  };
  LoadedGame g;
  for (const Event& e : events) {
    e.down ? OnKeyDown(g.game, e.code, 0) : OnKeyUp(g.game, e.code, 0);
    EXPECT_EQ(g.game.StepX, e.stepX) << e.code;
    EXPECT_EQ(g.game.StepY, e.stepY) << e.code;
  }
}

TEST(Keyboard, SpaceStartsAndPPausesWhateverTheState) {
  LoadedGame g;
  Form& form = g.game.form;
  OnKeyDown(g.game, kKeySpace, 0);
  EXPECT_TRUE(form.Timer1.Enabled);
  EXPECT_EQ(form.Start.Caption, "PRESS 'P' TO PAUSE");
  OnKeyDown(g.game, kKeySpace, 0);
  EXPECT_TRUE(form.Timer1.Enabled);
  OnKeyDown(g.game, kKeyP, 0);
  EXPECT_FALSE(form.Timer1.Enabled);
  EXPECT_EQ(form.Start.Caption, " PRESS THE SPACE BAR TO START");
  OnKeyDown(g.game, kKeyP, 0);
  EXPECT_FALSE(form.Timer1.Enabled);
  OnKeyUp(g.game, kKeySpace, 0);
  EXPECT_FALSE(form.Timer1.Enabled);
}

// Puts a rock on the square so that the next collision test ends the game.
void CrashIntoRock(LoadedGame& g, int rock) {
  g.game.form.Rock[rock].Left = g.game.form.Red.Left;
  g.game.form.Rock[rock].Top = g.game.form.Red.Top;
  CheckCollisions(g.game);
}

TEST(GameOver, AFinishedGameCannotBeResumed) {
  LoadedGame g;
  OnKeyDown(g.game, kKeySpace, 0);
  CrashIntoRock(g, 3);
  ASSERT_TRUE(g.game.form.Restart.Visible);
  ASSERT_FALSE(g.game.form.Timer1.Enabled);
  OnKeyDown(g.game, kKeySpace, 0);
  EXPECT_FALSE(g.game.form.Timer1.Enabled);
  EXPECT_EQ(g.game.form.Start.Caption, "PRESS 'P' TO PAUSE");
  OnKeyDown(g.game, kKeyP, 0);
  EXPECT_EQ(g.game.form.Start.Caption, "PRESS 'P' TO PAUSE");
  OnKeyDown(g.game, kKeyDown, 0);  // arrows still steer
  EXPECT_EQ(g.game.StepY, 200);
  OnRestartClick(g.game);
  OnKeyDown(g.game, kKeySpace, 0);
  EXPECT_TRUE(g.game.form.Timer1.Enabled);
}

TEST(GameOver, OneBoxForTheLowestOverlappingRock) {
  LoadedGame g;
  OnKeyDown(g.game, kKeySpace, 0);
  Form& form = g.game.form;
  for (int i : {4, 7}) {
    form.Rock[i].Left = form.Red.Left;
    form.Rock[i].Top = form.Red.Top;
  }
  CheckCollisions(g.game);
  ASSERT_EQ(g.host.boxes.size(), 1u);
  EXPECT_EQ(g.host.boxes[0], "Game Over|0|YOU SUCK!");
  EXPECT_FALSE(form.Timer1.Enabled);
  EXPECT_TRUE(form.Restart.Visible);
  EXPECT_TRUE(form.endgame.Visible);
}

TEST(GameOver, TouchingEdgesDoNotCollideButOneTwipDoes) {
  LoadedGame g;
  Form& form = g.game.form;
  form.Red = {100, 3000, 500, 500, true, ShapeKind::Rectangle, FillStyle::Solid, 0};
  form.Rock[0].Left = 600;
  form.Rock[0].Top = 3100;
  CheckCollisions(g.game);
  EXPECT_TRUE(g.host.boxes.empty());
  form.Rock[0].Left = 599;
  CheckCollisions(g.game);
  EXPECT_EQ(g.host.boxes.size(), 1u);
  // The rock's corner square counts although the circle would miss.
  LoadedGame h;
  h.game.form.Red = {100, 3000, 500, 500, true, ShapeKind::Rectangle, FillStyle::Solid, 0};
  h.game.form.Rock[0].Left = 599;
  h.game.form.Rock[0].Top = 3000 - 1095 + 1;
  CheckCollisions(h.game);
  EXPECT_EQ(h.host.boxes.size(), 1u);
}

TEST(Tick, BoundsTheSquareInsideTheClientArea) {
  struct Case {
    float left;
    float top;
    int16_t stepX;
    int16_t stepY;
    float wantLeft;
    float wantTop;
  };
  // The square is 495 wide in the first tick: right limit 14880 - 495 = 14385.
  const Case cases[] = {
      {100, 5000, -200, 0, 0, 5000},        // left goes negative
      {200, 5000, -200, 0, 0, 5000},        // left exactly 0
      {14385, 5000, 0, 0, 14385, 5000},     // exactly at the right limit
      {14300, 5000, 200, 0, 14385, 5000},   // past it
      {6840, 2375, 0, -200, 6840, 2527.5},  // onto the panel's edge: pushed to 2527.5
      {6840, 2527.5, 0, -200, 6840, 2327.5}, {6840, 2327.5, 0, -200, 6840, 2527.5},
      {6840, 11820, 0, 0, 6840, 11820},  // bottom edge exactly on the client's bottom
      {6840, 11900, 0, 200, 6840, 11820},    {14385, 11820, 200, 200, 14385, 11820},
  };
  for (const Case& c : cases) {
    LoadedGame g;
    g.FeedZeros();
    Form& form = g.game.form;
    form.Red.Left = c.left;
    form.Red.Top = c.top;
    form.Rock.fill(form.Rock[0]);  // keep every rock out of the square's way
    for (Shape& rock : form.Rock) {
      rock.Left = 0;
      rock.Top = 480;
    }
    g.game.StepX = c.stepX;
    g.game.StepY = c.stepY;
    OnKeyDown(g.game, kKeySpace, 0);
    OnTimerTick(g.game);
    EXPECT_EQ(form.Red.Left, c.wantLeft) << c.left << "," << c.top;
    EXPECT_EQ(form.Red.Top, c.wantTop) << c.left << "," << c.top;
    EXPECT_EQ(form.Red.Width, 500);
  }
}

TEST(Tick, FirstStageRocksSetOffAtTheirStartScores) {
  // Start scores by index: 0 10 40 20 30 50 60 50 40 30 20 10.
  struct Case {
    int ticks;
    std::array<bool, kRockCount> moved;
  };
  const Case cases[] = {
      {1, {true, false, false, false, false, false, false, false, false, false, false, false}},
      {9, {true, false, false, false, false, false, false, false, false, false, false, false}},
      {10, {true, true, false, false, false, false, false, false, false, false, false, true}},
      {20, {true, true, false, true, false, false, false, false, false, false, true, true}},
      {59, {true, true, true, true, true, true, false, true, true, true, true, true}},
      {60, {true, true, true, true, true, true, true, true, true, true, true, true}},
  };
  for (const Case& c : cases) {
    LoadedGame g;
    g.FeedZeros();
    g.game.form.Red.Left = 0;  // out of the rocks' columns
    g.game.form.Red.Top = 11000;
    g.game.form.Rock[0].Left = 14000;
    OnKeyDown(g.game, kKeySpace, 0);
    for (int t = 0; t < c.ticks - 1; ++t) {
      OnTimerTick(g.game);
    }
    const Form before = g.game.form;
    OnTimerTick(g.game);
    for (int i = 0; i < kRockCount; ++i) {
      const float moved = g.game.form.Rock[i].Top - before.Rock[i].Top;
      EXPECT_EQ(moved != 0, c.moved[i]) << "score " << c.ticks << " rock " << i;
    }
  }
}

TEST(Tick, RecyclesARockWhoseBottomReachesTheLine) {
  struct Case {
    float top;
    bool recycled;
  };
  // Client height 12315, rock height 1095: the line is reached at Top 11220.
  const Case cases[] = {{11220, true}, {11219.5f, false}, {20000, true}};
  for (const Case& c : cases) {
    LoadedGame g;
    g.host.randoms.push_back(kLargestBelowOne);
    g.game.form.Rock[5].Top = c.top;
    const int reseeds = g.host.reseeds;
    WrapBottom(g.game);
    EXPECT_EQ(g.host.reseeds, reseeds + 1);
    EXPECT_EQ(g.game.form.Rock[5].Top, c.recycled ? 480 : c.top);
    EXPECT_EQ(g.game.RockSpeed[5], c.recycled ? 250 : 100);
    EXPECT_EQ(g.game.form.Rock[5].Left, 8880);
  }
}

TEST(Restart, RecordsTheBestScoreByValue) {
  struct Case {
    const char* high;
    const char* score;
    const char* after;
  };
  const Case cases[] = {
      {"999", "1000", "1000"}, {"1000", "999", "1000"}, {"250", "250", "250"},
      {"0", "0", "0"},         {"0", "17", "17"},       {"2000", "35", "2000"},
  };
  for (const Case& c : cases) {
    LoadedGame g;
    g.game.form.high.Caption = c.high;
    g.game.form.lblScore.Caption = c.score;
    g.game.form.Restart.Visible = true;
    g.game.form.endgame.Visible = true;
    OnRestartClick(g.game);
    EXPECT_EQ(g.game.form.high.Caption, c.after) << c.high << " vs " << c.score;
    EXPECT_EQ(g.game.form.lblScore.Caption, "0");
  }
}

TEST(Restart, ResetsTheSceneAndKeepsWhatSurvivesIt) {
  LoadedGame g;
  Form& form = g.game.form;
  g.game.RockSpeed[3] = 222;
  g.game.StepX = -200;
  form.lblnext.Top = 99999;
  form.lblfunny.Visible = true;
  form.Timer1.Enabled = true;
  form.Restart.Visible = form.endgame.Visible = true;
  OnRestartClick(g.game);
  const float lefts[] = {2520, 1320, 6240, 5040, 120, 3720, 13800, 7440, 8640, 9960, 12600, 11280};
  for (int i = 0; i < kRockCount; ++i) {
    EXPECT_EQ(form.Rock[i].Left, lefts[i]);
    EXPECT_EQ(form.Rock[i].Top, 480);
  }
  EXPECT_EQ(form.Red.Left, 6840);
  EXPECT_EQ(form.Red.Top, 7080);
  EXPECT_EQ(form.Red.Width, 1000);
  EXPECT_EQ(form.Red.Height, 1000);
  EXPECT_FALSE(form.Timer1.Enabled);
  EXPECT_FALSE(form.Restart.Visible);
  EXPECT_FALSE(form.endgame.Visible);
  EXPECT_EQ(form.Start.Caption, " PRESS THE SPACE BAR TO START");
  EXPECT_EQ(g.game.RockSpeed[3], 222);
  EXPECT_EQ(g.game.StepX, -200);
  EXPECT_EQ(form.lblnext.Top, 99999);
  EXPECT_TRUE(form.lblfunny.Visible);
  EXPECT_EQ(g.host.reseeds, 1);
}

TEST(Endgame, EndsTheProgramWithoutRecordingTheScore) {
  LoadedGame g;
  g.game.form.lblScore.Caption = "500";
  OnEndgameClick(g.game);
  EXPECT_EQ(g.host.ends, 1);
  EXPECT_EQ(g.game.form.high.Caption, "0");
}

TEST(StartingLayout, HoldsEveryControlOnce) {
  EXPECT_EQ(StartingLayout.size(), 41u);
  const Form form = MakeForm();
  EXPECT_EQ(form.Caption, " Zentor the rocks By: Marbeck");
  EXPECT_EQ(form.Red.Width, 495);
  EXPECT_FALSE(form.Timer1.Enabled);
  EXPECT_EQ(form.Timer1.Interval, 25);
  EXPECT_FALSE(form.lblfunny.Visible);
  EXPECT_FALSE(form.Restart.Visible);
  EXPECT_FALSE(form.endgame.Visible);
  EXPECT_EQ(form.Lines[0].Y1, 1800);   // Line1
  EXPECT_EQ(form.Shapes[0].Top, 480);  // Shape1, the up key
  // Every rock is a circle behind the panel at start.
  for (const Shape& rock : form.Rock) {
    EXPECT_EQ(rock.Kind, ShapeKind::Oval);
    EXPECT_LE(rock.Top + rock.Height, form.Scorebox.Top + form.Scorebox.Height);
  }
  // Stacking: Rock(9) is the topmost rock, Rock(10) the lowest, lblnext the lowest of all.
  EXPECT_EQ(StartingLayout[28].Id, ControlId::Rock);
  EXPECT_EQ(StartingLayout[28].Index, 9);
  EXPECT_EQ(StartingLayout[39].Index, 10);
  EXPECT_EQ(StartingLayout[40].Id, ControlId::lblnext);
}

}  // namespace
}  // namespace zentor
