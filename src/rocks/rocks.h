// The rocks: their speeds, the recycling at the bottom, every stage's motion and wrap routines,
// and the collision test. All of them run inside the tick.
#pragma once

#include <cstdint>

#include "game/game.h"

namespace zentor {

inline constexpr int16_t kSpeedLow = 100;
inline constexpr int16_t kSpeedHigh = 250;
inline constexpr int16_t kSlowSpeedHigh = 200;  // the range of the wraps of stages 3 to 5
inline constexpr float kRockEntryTop = 480;  // behind the score panel

// A random whole number from lower to upper, both included.
int16_t RandomBetween(Game& game, int16_t lower, int16_t upper);

void WrapBottom(Game& game);
void Stage1Fall(Game& game);
void Stage2SlideLeft(Game& game);
void Stage2WrapLeft(Game& game);
void Stage3WrapRight(Game& game);
void Stage3SlideRight(Game& game);
void Stage3WrapLeft(Game& game);
void Stage3SlideLeft(Game& game);
void Stage4WrapRight(Game& game);
void Stage4SlideRight(Game& game);
void Stage5WrapRight(Game& game);
void Stage5SlideRight(Game& game);
void Stage5WrapBottom(Game& game);
void Stage5Fall(Game& game);

// Ends the game when the square overlaps a rock.
void CheckCollisions(Game& game);

}  // namespace zentor
