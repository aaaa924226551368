// The recycling at the bottom and the motion and wrap routines of the five stages.
#include "rocks/motion.h"
#include "rocks/rocks.h"

namespace zentor {
namespace {

// The wrap limits measure from the playfield's own edges, wherever the window stands on the
// screen: a limit that would add the window's screen position adds these instead.
constexpr float kPlayfieldLeft = 0;
constexpr float kPlayfieldTop = 0;

constexpr float kStage2EntryLeft = 13560;  // the rightmost column of the starting layout
constexpr float kStage3EntryLeftGroup = 0;
constexpr float kStage3EntryRightGroup = 13800;
constexpr float kSweepEntryLeft = 0;

constexpr RockGroup kAllRocks{0, 11};
constexpr RockGroup kLeftGroup{0, 4};
constexpr RockGroup kRightGroup{5, 8};
constexpr RockGroup kFallingGroup{5, 11};

constexpr double kStage1First = 0;
constexpr double kStage2First = 1000;
constexpr double kStage3First = 2000;
constexpr double kStage4First = 3000;
constexpr double kStage5First = 4000;

// Stage one counts from score 0; stages two to five share one table from their first scores.
constexpr StartOffsets kStage1StartOffset = {0, 10, 40, 20, 30, 50, 60, 50, 40, 30, 20, 10};
constexpr StartOffsets RockStartOffset = {100, 90, 120, 110, 120, 130, 140, 100, 90, 30, 50, 60};

float Sum(double a, double b) { return static_cast<float>(a + b); }

bool BelowBottom(const Game& game, const Shape& rock) {
  const float bottom = Sum(rock.Height, rock.Top);
  const float line = Sum(game.form.ScaleHeight, kPlayfieldTop);
  return bottom >= line;
}

// A rock is out once its right edge is a whole rock width beyond the left edge.
bool BeyondLeftEdge(const Game& /*game*/, const Shape& rock) {
  const float reach = static_cast<float>(static_cast<double>(rock.Width) + rock.Left + rock.Width);
  return reach <= kPlayfieldLeft;
}

bool BeyondClientRight(const Game& game, const Shape& rock) {
  return Sum(kPlayfieldLeft, game.form.ScaleWidth) <= rock.Left;
}

bool BeyondPlayerMargin(const Game& game, const Shape& rock) {
  const Shape& red = game.form.Red;
  const float limit =
      static_cast<float>(static_cast<double>(kPlayfieldLeft) - red.Width - red.Width);
  return limit >= rock.Left;
}

bool BeyondFrameRight(const Game& game, const Shape& rock) {
  return Sum(kPlayfieldLeft, game.host.Frame().Width) <= rock.Left;
}

bool BeyondFrameBottom(const Game& game, const Shape& rock) {
  return Sum(kPlayfieldTop, game.host.Frame().Height) <= rock.Top;
}

}  // namespace

void WrapBottom(Game& game) {
  RecycleRocks(game, kAllRocks, BelowBottom, Axis::Top, kRockEntryTop, kSpeedHigh);
}

void Stage1Fall(Game& game) {
  MoveStartedRocks(game, kAllRocks, Axis::Top, Direction::Forward, kStage1First,
                   kStage1StartOffset);
}

void Stage2SlideLeft(Game& game) {
  MoveStartedRocks(game, kAllRocks, Axis::Left, Direction::Back, kStage2First, RockStartOffset);
}

void Stage2WrapLeft(Game& game) {
  RecycleRocks(game, kAllRocks, BeyondLeftEdge, Axis::Left, kStage2EntryLeft, kSpeedHigh);
}

void Stage3WrapRight(Game& game) {
  RecycleRocks(game, kLeftGroup, BeyondClientRight, Axis::Left, kStage3EntryLeftGroup,
               kSpeedHigh);
}

void Stage3SlideRight(Game& game) {
  MoveStartedRocks(game, kLeftGroup, Axis::Left, Direction::Forward, kStage3First,
                   RockStartOffset);
}

void Stage3WrapLeft(Game& game) {
  RecycleRocks(game, kRightGroup, BeyondPlayerMargin, Axis::Left, kStage3EntryRightGroup,
               kSlowSpeedHigh);
}

void Stage3SlideLeft(Game& game) {
  MoveStartedRocks(game, kRightGroup, Axis::Left, Direction::Back, kStage3First,
                   RockStartOffset);
}

void Stage4WrapRight(Game& game) {
  RecycleRocks(game, kAllRocks, BeyondFrameRight, Axis::Left, kSweepEntryLeft, kSlowSpeedHigh);
}

void Stage4SlideRight(Game& game) {
  MoveStartedRocks(game, kAllRocks, Axis::Left, Direction::Forward, kStage4First,
                   RockStartOffset);
}

void Stage5WrapRight(Game& game) {
  RecycleRocks(game, kLeftGroup, BeyondFrameRight, Axis::Left, kSweepEntryLeft, kSlowSpeedHigh);
}

void Stage5SlideRight(Game& game) {
  MoveStartedRocks(game, kLeftGroup, Axis::Left, Direction::Forward, kStage5First,
                   RockStartOffset);
}

void Stage5WrapBottom(Game& game) {
  RecycleRocks(game, kLeftGroup, BeyondFrameBottom, Axis::Top, kRockEntryTop, kSlowSpeedHigh);
}

void Stage5Fall(Game& game) {
  MoveStartedRocks(game, kFallingGroup, Axis::Top, Direction::Forward, kStage5First,
                   RockStartOffset);
}

}  // namespace zentor
