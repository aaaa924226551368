// The game window: its controls, its module state and the event handlers the host calls.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "playfield/controls.h"
#include "playfield/host.h"

namespace zentor {

// The key codes the game knows.
enum KeyCode : int16_t {
  kKeySpace = 32,
  kKeyLeft = 37,
  kKeyUp = 38,
  kKeyRight = 39,
  kKeyDown = 40,
  kKeyP = 80,
};

// The square's starting place, to which the restart and the stage change at 2000 send it back.
inline constexpr float kPlayerHomeLeft = 6840;
inline constexpr float kPlayerHomeTop = 7080;

inline constexpr std::string_view kRunningCaption = "PRESS 'P' TO PAUSE";
// Written by P and by the restart; unlike the starting caption it begins with a blank.
inline constexpr std::string_view kPausedCaption = " PRESS THE SPACE BAR TO START";
inline constexpr std::string_view kGameOverPrompt = "Game Over";
inline constexpr std::string_view kGameOverTitle = "YOU SUCK!";

struct Game {
  explicit Game(Host& host);

  Host& host;
  Form form;
  int16_t StepX = 0;  // twips per tick: -200, 0 or +200
  int16_t StepY = 0;
  std::array<int16_t, kRockCount> RockSpeed{};  // twips per tick, 100..250 once loaded
};

// The score, read from its caption every time it is needed.
double ScoreValue(const Game& game);

void OnLoad(Game& game);
void OnKeyDown(Game& game, int16_t KeyCode, int16_t Shift);
void OnKeyUp(Game& game, int16_t KeyCode, int16_t Shift);
void OnTimerTick(Game& game);
void OnRestartClick(Game& game);
void OnEndgameClick(Game& game);

// The last step of every tick: banner, square size and formations at the stage scores.
void ApplyStageChanges(Game& game);

}  // namespace zentor
