// What a host hears from its player beyond keys and the pointer, in the game's terms.
#pragma once

#include <cstdint>

namespace zentor {

// A game controller's action: a key it stands for going down or up, or the Restart button.
struct PadAction {
  enum class Kind { KeyDown, KeyUp, PressRestart };
  Kind kind;
  int16_t code;  // the key code for KeyDown and KeyUp
};

// Where the game stands, as a page around it shows it: waiting for the space bar (at the start,
// paused, after a restart), running, the game-over box open, over (Restart shows), or ended.
enum class PlayState { Waiting, Running, Box, Over, Ended };

}  // namespace zentor
