// The keyboard in the game's terms: key codes by a key's place on the keyboard.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <optional>

namespace zentor {

// The game's code of a key, by its place on the keyboard whatever the layout or the shift
// state: letters and digits as their upper-case characters (P is 80), the space bar 32, the
// arrows 37 to 40. Nothing for the other keys.
std::optional<int16_t> GameKeyCode(SDL_Scancode key);

// The shift state in the game's terms: 1 for shift, 2 for control, 4 for alt.
int16_t GameShiftState(Uint16 modifiers);

}  // namespace zentor
