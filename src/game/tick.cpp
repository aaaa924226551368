// One game step, run on every tick of Timer1.
#include <string>

#include "game/game.h"
#include "playfield/convert.h"
#include "rocks/rocks.h"

namespace zentor {
namespace {

constexpr double kPushBackFactor = 4.5;  // panel heights above the client area's bottom
constexpr float kBaseSize = 500;

// Score windows of the stage routines, both ends included.
constexpr double kStage1Last = 1000;
constexpr double kStage2First = 1000;
constexpr double kStage2Last = 2000;
constexpr double kStage3First = 2000;
constexpr double kStage3Last = 3000;
constexpr double kStage4First = 3000;
constexpr double kStage4Last = 4000;
constexpr double kStage5First = 4000;
constexpr double kStage5Last = 5000;

bool ScoreWithin(const Game& game, double first, double last) {
  return ScoreValue(game) >= first && ScoreValue(game) <= last;
}

// The step begins by writing the score's caption back to itself, unchanged.
void WriteBackScore(Form& form) {
  const std::string caption = form.lblScore.Caption;
  form.lblScore.Caption = caption;
}

void MovePlayer(Game& game) {
  Shape& red = game.form.Red;
  red.Left = static_cast<float>(static_cast<double>(red.Left) + static_cast<float>(game.StepX));
  red.Top = static_cast<float>(static_cast<double>(red.Top) + static_cast<float>(game.StepY));
}

void BoundPlayerHorizontally(Form& form) {
  Shape& red = form.Red;
  if (red.Left <= 0) {
    red.Left = 0;
  } else if (static_cast<float>(static_cast<double>(form.ScaleWidth) - red.Width) <= red.Left) {
    red.Left = static_cast<float>(static_cast<double>(form.ScaleWidth) - red.Width);
  }
}

// A square that touches the panel is pushed to a fixed height, not clamped to the panel's edge.
void BoundPlayerVertically(Form& form) {
  Shape& red = form.Red;
  const Shape& panel = form.Scorebox;
  if (red.Top <= static_cast<float>(static_cast<double>(panel.Top) + panel.Height)) {
    red.Top = static_cast<float>(form.ScaleHeight - kPushBackFactor * panel.Height);
  } else if (static_cast<float>(static_cast<double>(red.Top) + red.Height) >= form.ScaleHeight) {
    red.Top = static_cast<float>(static_cast<double>(form.ScaleHeight) - red.Height);
  }
}

void CountScore(Game& game) {
  game.form.lblScore.Caption = NumberToText(ScoreValue(game) + 1.0);
}

void RunFirstStageRoutine(Game& game) {
  if (ScoreValue(game) <= kStage1Last) {
    Stage1Fall(game);
  } else if (ScoreValue(game) <= kStage2Last) {
    Stage2SlideLeft(game);
  }
}

void RunLaterStageRoutines(Game& game) {
  if (ScoreWithin(game, kStage2First, kStage2Last)) {
    Stage2WrapLeft(game);
  }
  if (ScoreWithin(game, kStage3First, kStage3Last)) {
    Stage3WrapRight(game);
    Stage3SlideRight(game);
    Stage3WrapLeft(game);
    Stage3SlideLeft(game);
  }
  if (ScoreWithin(game, kStage4First, kStage4Last)) {
    Stage4WrapRight(game);
    Stage4SlideRight(game);
  }
  if (ScoreWithin(game, kStage5First, kStage5Last)) {
    Stage5WrapRight(game);
    Stage5SlideRight(game);
    Stage5WrapBottom(game);
    Stage5Fall(game);
  }
}

void SetBaseSize(Shape& red) {
  red.Height = kBaseSize;
  red.Width = kBaseSize;
}

}  // namespace

void OnTimerTick(Game& game) {
  WriteBackScore(game.form);
  MovePlayer(game);
  BoundPlayerHorizontally(game.form);
  BoundPlayerVertically(game.form);
  CountScore(game);
  WrapBottom(game);
  RunFirstStageRoutine(game);
  CheckCollisions(game);
  RunLaterStageRoutines(game);
  SetBaseSize(game.form.Red);
  ApplyStageChanges(game);
}

}  // namespace zentor
