// The game played live under the host's rules, through a platform that only keeps time and
// counts what it is asked to show.
#include "host/play.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "host/watch.h"
#include "playfield/layout.h"

namespace zentor {
namespace {

using namespace std::chrono_literals;

class Recorded final : public SessionRecorder {
 public:
  Recorded(std::vector<std::string>& calls, std::vector<float>& draws)
      : calls_(calls), draws_(draws) {}
  void NoteFrame(const WindowFrame&) override {}
  void NoteRandom(float value) override { draws_.push_back(value); }
  void Called(SessionCall call, int16_t key) override {
    calls_.push_back(std::to_string(static_cast<int>(call)) + " " + std::to_string(key));
  }

 private:
  std::vector<std::string>& calls_;
  std::vector<float>& draws_;
};

class Stage final : public Play::Platform {
 public:
  explicit Stage(uint64_t seed = 7)
      : seed(seed), play(*this, std::make_unique<Recorded>(calls, draws)) {
    play.Load();
  }

  void ShowBox(std::string_view, std::string_view) override {
    ++boxes;
    // The box's loop runs for a while and looks for ticks meanwhile.
    now += 3s;
    const std::string score = play.form().lblScore.Caption;
    play.TickIfDue();
    tickedInBox |= play.form().lblScore.Caption != score;
  }
  void Close() override {}
  WindowFrame Frame(const Form&) const override { return {0, 0, 15000, 12750}; }
  std::optional<std::pair<double, double>> Pointer() const override { return std::nullopt; }
  void Changed() override {}
  Play::Clock::time_point Now() const override { return now; }
  uint64_t Seed() const override { return seed; }
  void StateChanged(PlayState state) override { states.push_back(state); }
  void Said(const Words& words) override { said.push_back(words); }
  void LoadDraws() override { ++loadDraws; }

  // Runs the clock's ticks until the game is over or `most` ticks have run.
  void TickUntilOver(int most = 200000) {
    for (int i = 0; i < most && play.State() == PlayState::Running; ++i) {
      now = *play.Deadline();
      play.TickIfDue();
    }
  }

  Play::Clock::time_point now = Play::Clock::time_point{} + 1000s;
  const uint64_t seed;  // what the clock gives for a seed
  std::vector<std::string> calls;
  std::vector<float> draws;  // every random number the game drew
  std::vector<PlayState> states;
  std::vector<Words> said;
  size_t loadDraws = 0;
  int boxes = 0;
  bool tickedInBox = false;
  Play play;
};

std::pair<double, double> Centre(const CommandButton& b) {
  return {b.Left + b.Width / 2.0, b.Top + b.Height / 2.0};
}

std::pair<double, double> Centre(const Shape& s) {
  return {s.Left + s.Width / 2.0, s.Top + s.Height / 2.0};
}

TEST(Play, NoTickRunsWhileTheBoxIsOpenAndThePaceStartsAgainAfterIt) {
  Stage stage;
  stage.play.KeyDown(kKeySpace);
  stage.TickUntilOver();
  ASSERT_EQ(stage.boxes, 1);
  EXPECT_FALSE(stage.tickedInBox);
  EXPECT_EQ(stage.play.State(), PlayState::Over);
  EXPECT_EQ(stage.states, (std::vector<PlayState>{PlayState::Waiting, PlayState::Running,
                                                  PlayState::Box, PlayState::Over}));
}

// A platform that shares its thread may hand it over before each random number of the load, and
// only then.
TEST(Play, TheLoadsRandomDrawsAreEachToldAndNoOthers) {
  Stage stage;
  EXPECT_EQ(stage.loadDraws, stage.draws.size());
  EXPECT_GT(stage.loadDraws, 0u);
  stage.play.KeyDown(kKeySpace);
  stage.TickUntilOver();
  EXPECT_GT(stage.draws.size(), static_cast<size_t>(kRockCount)) << "no rock drew a new speed";
  EXPECT_EQ(stage.loadDraws, static_cast<size_t>(kRockCount));
}

// What a page says for the game: its captions when they change, never the score alone tick by
// tick; the box's title and prompt while it is open; the push buttons once it is over.
TEST(Play, TheWordsAreToldWhenTheyChangeNotForTheScoreAlone) {
  Stage stage;
  ASSERT_EQ(stage.said.size(), 1u);
  EXPECT_EQ(stage.said[0].status, "PRESS THE SPACE BAR TO START");
  EXPECT_EQ(stage.said[0].scoreName, "Score");
  EXPECT_EQ(stage.said[0].highName, "High Score");
  stage.play.KeyDown(kKeySpace);
  stage.TickUntilOver();
  ASSERT_EQ(stage.said.size(), 4u);
  const Words running = stage.said[1];
  EXPECT_EQ(running.state, PlayState::Running);
  EXPECT_EQ(running.status, "PRESS 'P' TO PAUSE");
  EXPECT_EQ(running.score, "0");
  const Words box = stage.said[2];
  EXPECT_EQ(box.state, PlayState::Box);
  EXPECT_EQ(box.boxTitle, "YOU SUCK!");
  EXPECT_EQ(box.boxPrompt, "Game Over");
  EXPECT_EQ(box.score, stage.play.form().lblScore.Caption);
  EXPECT_NE(box.score, "0");
  EXPECT_EQ(box.restart, "");
  const Words over = stage.said[3];
  EXPECT_EQ(over.state, PlayState::Over);
  EXPECT_EQ(over.boxTitle, "");
  EXPECT_EQ(over.restart, "Click me to restart");
  EXPECT_EQ(over.stop, "Click me to stop");

  stage.play.PressButton(ButtonId::Restart);
  ASSERT_EQ(stage.said.size(), 5u);
  EXPECT_EQ(stage.said[4].status, " PRESS THE SPACE BAR TO START");
  EXPECT_EQ(stage.said[4].high, box.score);
  EXPECT_EQ(stage.said[4].restart, "");
  stage.play.PressButton(ButtonId::endgame);
  EXPECT_FALSE(stage.play.Ended()) << "the hidden stop button was clicked";
}

TEST(Play, AHiddenButtonCannotBeClickedByPointerTouchOrEnter) {
  Stage stage;
  const auto [x, y] = Centre(stage.play.form().Restart);
  const auto before = stage.calls.size();
  stage.play.PointerPress(x, y);
  stage.play.PointerRelease(x, y);
  stage.play.TouchDown(1, x, y);
  stage.play.TouchUp(1, x, y);
  stage.play.PressRestart();
  // The tap is the space bar, since the game waits for it; nothing else reached the game.
  EXPECT_EQ(stage.calls.size() - before, 2u);
  EXPECT_EQ(stage.calls.back(), "2 32");
  EXPECT_FALSE(stage.play.form().Restart.Visible);
}

TEST(Play, RestartIsClickedOnceShownByPointerTouchOrEnter) {
  for (int way = 0; way < 3; ++way) {
    Stage stage;
    stage.play.KeyDown(kKeySpace);
    stage.TickUntilOver();
    ASSERT_EQ(stage.play.State(), PlayState::Over);
    const auto [x, y] = Centre(stage.play.form().Restart);
    if (way == 0) {
      stage.play.PointerPress(x, y);
      stage.play.PointerRelease(x, y);
    } else if (way == 1) {
      stage.play.TouchDown(9, x, y);
      stage.play.TouchUp(9, x, y);
    } else {
      stage.play.PressRestart();
    }
    EXPECT_EQ(stage.play.State(), PlayState::Waiting) << way;
  }
}

TEST(Play, FocusLostPausesARunningGameAndChangesNothingElse) {
  const struct {
    const char* what;
    std::vector<int16_t> keys;
    bool over;
  } cases[] = {
      {"waiting for the space bar", {}, false},
      {"paused", {kKeySpace, kKeyP}, false},
      {"after a game over", {kKeySpace}, true},
  };
  for (const auto& c : cases) {
    Stage stage;
    for (const int16_t key : c.keys) {
      stage.play.KeyDown(key);
    }
    if (c.over) {
      stage.TickUntilOver();
    }
    const std::string caption = stage.play.form().Start.Caption;
    const auto deadline = stage.play.Deadline();
    const auto calls = stage.calls;
    stage.play.FocusLost();
    EXPECT_EQ(stage.play.form().Start.Caption, caption) << c.what;
    EXPECT_EQ(stage.play.Deadline(), deadline) << c.what;
    EXPECT_EQ(stage.calls, calls) << c.what;
  }
  Stage running;
  running.play.KeyDown(kKeySpace);
  running.play.FocusLost();
  EXPECT_EQ(running.play.State(), PlayState::Waiting);
  EXPECT_EQ(running.calls.back(), "1 80");
  EXPECT_FALSE(running.play.Deadline());
}

TEST(Play, FingersOnThePanelsKeysHoldThemSlideAndLetGo) {
  Stage stage;
  stage.play.KeyDown(kKeySpace);
  const Form& form = stage.play.form();
  const auto left = Centre(form.Shapes[3]);
  const auto up = Centre(form.Shapes[0]);
  stage.play.TouchDown(1, left.first, left.second);
  EXPECT_EQ(stage.play.form().Timer1.Enabled, true);
  EXPECT_EQ(stage.calls.back(), "1 37");
  // A thumb slides to the up key: left goes, up comes.
  stage.play.TouchMove(1, up.first, up.second);
  EXPECT_EQ(stage.calls[stage.calls.size() - 2], "2 37");
  EXPECT_EQ(stage.calls.back(), "1 38");
  // A second finger taps P while the first holds its key.
  const auto [x, y] = std::pair{2000.0, 6000.0};
  stage.play.KeyDown(kKeyP);
  EXPECT_EQ(stage.play.State(), PlayState::Waiting);
  stage.play.TouchDown(2, x, y);
  EXPECT_EQ(stage.play.State(), PlayState::Running);
  stage.play.TouchUp(2, x, y);
  // A cancelled touch lets go of its key.
  stage.play.TouchCancel(1);
  EXPECT_EQ(stage.calls.back(), "2 38");
  // The focus lost lets go of every finger.
  stage.play.TouchDown(3, left.first, left.second);
  stage.play.FocusLost();
  EXPECT_EQ(stage.calls[stage.calls.size() - 2], "2 37");
  EXPECT_EQ(stage.calls.back(), "1 80");
}

// The load reseeds from the clock: another seed deals other speeds, the same seed the same.
TEST(Play, EachLaunchDealsTheSpeedsOfItsSeed) {
  const Stage first(1);
  const Stage second(2);
  const Stage firstAgain(1);
  ASSERT_EQ(first.draws.size(), 12u);
  EXPECT_NE(first.draws, second.draws);
  EXPECT_EQ(first.draws, firstAgain.draws);
}

// A tap on the picture is the space bar only while the game waits for it: while it runs, and
// once it is over, it reaches nothing.
TEST(Play, ATapOnThePictureStartsOnlyAWaitingGame) {
  Stage stage;
  const auto tap = [&] {
    const auto calls = stage.calls;
    stage.play.TouchDown(4, 2000, 6000);
    stage.play.TouchUp(4, 2000, 6000);
    return stage.calls.size() - calls.size();
  };
  EXPECT_EQ(tap(), 2u);
  EXPECT_EQ(stage.play.State(), PlayState::Running);
  EXPECT_EQ(tap(), 0u);
  stage.TickUntilOver();
  ASSERT_EQ(stage.play.State(), PlayState::Over);
  EXPECT_EQ(tap(), 0u);
  EXPECT_EQ(stage.play.State(), PlayState::Over);
}

// A finger pressed on one push button and lifted on the other clicks neither, and leaves both
// in their plain look, as the mouse leaves them when it goes.
TEST(Play, AFingerLiftedFromAButtonLeavesItPlain) {
  Stage stage;
  stage.play.KeyDown(kKeySpace);
  stage.TickUntilOver();
  ASSERT_EQ(stage.play.State(), PlayState::Over);
  const auto restart = Centre(stage.play.form().Restart);
  const auto endgame = Centre(stage.play.form().endgame);
  stage.play.TouchDown(5, restart.first, restart.second);
  EXPECT_EQ(stage.play.Held(), ButtonId::Restart);
  stage.play.TouchMove(5, endgame.first, endgame.second);
  EXPECT_EQ(stage.play.Hover(), ButtonId::endgame);
  stage.play.TouchUp(5, endgame.first, endgame.second);
  EXPECT_EQ(stage.play.State(), PlayState::Over);
  EXPECT_EQ(stage.play.Hover(), ButtonId::None);
  EXPECT_EQ(stage.play.Held(), ButtonId::None);
}

TEST(LegendKeyAt, EachSquareAndALittleAroundItIsItsKey) {
  const Form form = MakeForm();
  const struct {
    int shape;
    int16_t key;
  } squares[] = {{0, kKeyUp}, {1, kKeyDown}, {2, kKeyRight}, {3, kKeyLeft}};
  for (const auto& s : squares) {
    const Shape& square = form.Shapes[s.shape];
    EXPECT_EQ(LegendKeyAt(form, square.Left + 30, square.Top + 30), s.key);
    EXPECT_EQ(LegendKeyAt(form, square.Left + square.Width - 30, square.Top + square.Height - 30),
              s.key);
  }
  // Beside the left key, within reach, and far from every key.
  EXPECT_EQ(LegendKeyAt(form, form.Shapes[3].Left - 300, form.Shapes[3].Top + 300), kKeyLeft);
  EXPECT_EQ(LegendKeyAt(form, form.Shapes[3].Left - 600, form.Shapes[3].Top + 300), std::nullopt);
  EXPECT_EQ(LegendKeyAt(form, 2000, 6000), std::nullopt);
}

// The squares answer as far around them on every side: half a square beyond the outermost.
TEST(LegendKeyAt, TheSquaresReachAsFarOnEverySide) {
  const Form form = MakeForm();
  double left = form.Shapes[0].Left;
  double top = form.Shapes[0].Top;
  double right = left;
  double bottom = top;
  for (const Shape& square : form.Shapes) {
    left = std::min<double>(left, square.Left);
    top = std::min<double>(top, square.Top);
    right = std::max<double>(right, square.Left + square.Width);
    bottom = std::max<double>(bottom, square.Top + square.Height);
  }
  const double reach = form.Shapes[0].Width / 2.0;
  const double middleX = (left + right) / 2;
  const double middleY = (top + bottom) / 2;
  const struct {
    const char* side;
    double dx, dy;  // the way out from the middle of that side
    double x, y;
  } sides[] = {
      {"left", -1, 0, left, middleY},
      {"above", 0, -1, middleX, top},
      {"right", 1, 0, right, middleY},
      {"below", 0, 1, middleX, bottom},
  };
  for (const auto& side : sides) {
    SCOPED_TRACE(side.side);
    for (const double out : {10.0, reach - 10}) {
      EXPECT_NE(LegendKeyAt(form, side.x + side.dx * out, side.y + side.dy * out), std::nullopt)
          << out;
    }
    EXPECT_EQ(LegendKeyAt(form, side.x + side.dx * (reach + 10), side.y + side.dy * (reach + 10)),
              std::nullopt);
  }
}

// A script watched at 40 steps a second on a schedule of deadlines.
TEST(Watch, KeepsFortyStepsASecondWithoutDriftOrBurst) {
  const auto start = Play::Clock::time_point{} + 1000s;
  int steps = 0;
  Watch watch([&] { return ++steps < 100000; }, start);
  // A second of steps each run up to 20 ms late: still 40, on the same deadlines.
  for (int i = 1; i <= 40; ++i) {
    ASSERT_EQ(watch.Deadline(), start + i * 25ms) << i;
    EXPECT_TRUE(watch.StepIfDue(*watch.Deadline() + (i % 5) * 5ms));
  }
  EXPECT_EQ(steps, 40);
  EXPECT_FALSE(watch.StepIfDue(start + 1024ms));
  // A stall of a second: one step, and the next a whole interval later, not a burst.
  const auto late = start + 2000ms;
  EXPECT_TRUE(watch.StepIfDue(late));
  EXPECT_FALSE(watch.StepIfDue(late + 24ms));
  EXPECT_EQ(watch.Deadline(), late + 25ms);
  // P pauses, the space bar goes on one interval later.
  watch.KeyDown(kKeyP, late);
  EXPECT_FALSE(watch.Deadline());
  EXPECT_FALSE(watch.StepIfDue(late + 1s));
  watch.KeyDown(kKeySpace, late + 2s);
  EXPECT_EQ(watch.Deadline(), late + 2s + 25ms);
}

}  // namespace
}  // namespace zentor
