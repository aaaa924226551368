// Start-up, the keyboard, the restart and the exit.
#include <string>

#include "game/game.h"
#include "playfield/convert.h"
#include "playfield/layout.h"
#include "rocks/rocks.h"

namespace zentor {
namespace {

constexpr int16_t kStep = 200;
constexpr float kRestartSize = 1000;
constexpr std::string_view kZeroScore = "0";

// Where each rock stands after a restart, by index; every one at Top 480, behind the panel.
constexpr std::array<float, kRockCount> kRockRestartLeft = {
    2520, 1320, 6240, 5040, 120, 3720, 13800, 7440, 8640, 9960, 12600, 11280};

// A finished game stays finished: while Restart is shown the clock keys do nothing.
bool GameIsOver(const Game& game) { return game.form.Restart.Visible; }

void RecordBestScore(Form& form) {
  const double best = LeadingNumber(form.high.Caption);
  const double score = LeadingNumber(form.lblScore.Caption);
  if (best <= score) {
    form.high.Caption = form.lblScore.Caption;
  }
}

}  // namespace

Game::Game(Host& h) : host(h), form(MakeForm()) {}

double ScoreValue(const Game& game) { return TextToNumber(game.form.lblScore.Caption); }

void OnLoad(Game& game) {
  game.host.Reseed();
  for (int i = 0; i < kRockCount; ++i) {
    game.RockSpeed[i] = RandomBetween(game, kSpeedLow, kSpeedHigh);
  }
}

void OnKeyDown(Game& game, int16_t KeyCode, int16_t /*Shift*/) {
  if (KeyCode == kKeyLeft) {
    game.StepX = -kStep;
  } else if (KeyCode == kKeyRight) {
    game.StepX = kStep;
  }
  if (KeyCode == kKeyUp) {
    game.StepY = -kStep;
  } else if (KeyCode == kKeyDown) {
    game.StepY = kStep;
  }
  if (GameIsOver(game)) {
    return;
  }
  if (KeyCode == kKeySpace) {
    game.form.Timer1.Enabled = true;
    game.form.Start.Caption = std::string(kRunningCaption);
  } else if (KeyCode == kKeyP) {
    game.form.Timer1.Enabled = false;
    game.form.Start.Caption = std::string(kPausedCaption);
  }
}

void OnKeyUp(Game& game, int16_t KeyCode, int16_t /*Shift*/) {
  if (KeyCode == kKeyLeft || KeyCode == kKeyRight) {
    game.StepX = 0;
  }
  if (KeyCode == kKeyUp || KeyCode == kKeyDown) {
    game.StepY = 0;
  }
}

void OnRestartClick(Game& game) {
  Form& form = game.form;
  RecordBestScore(form);
  for (Shape& rock : form.Rock) {
    rock.Top = kRockEntryTop;
  }
  form.Timer1.Enabled = false;
  form.Start.Caption = std::string(kPausedCaption);
  form.endgame.Visible = false;
  form.Restart.Visible = false;
  form.Red.Top = kPlayerHomeTop;
  form.Red.Left = kPlayerHomeLeft;
  form.lblScore.Caption = std::string(kZeroScore);
  form.Red.Width = kRestartSize;
  form.Red.Height = kRestartSize;
  for (int i = 0; i < kRockCount; ++i) {
    form.Rock[i].Left = kRockRestartLeft[i];
    form.Rock[i].Top = kRockEntryTop;
  }
}

void OnEndgameClick(Game& game) { game.host.End(); }

}  // namespace zentor
