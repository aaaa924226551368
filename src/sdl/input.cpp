#include "sdl/input.h"

#include "game/game.h"

namespace zentor {

std::optional<int16_t> GameKeyCode(SDL_Scancode key) {
  if (key >= SDL_SCANCODE_A && key <= SDL_SCANCODE_Z) {
    return static_cast<int16_t>('A' + (key - SDL_SCANCODE_A));
  }
  // The scan codes run 1 to 9, then 0.
  if (key >= SDL_SCANCODE_1 && key <= SDL_SCANCODE_9) {
    return static_cast<int16_t>('1' + (key - SDL_SCANCODE_1));
  }
  switch (key) {
    case SDL_SCANCODE_0:
      return static_cast<int16_t>('0');
    case SDL_SCANCODE_SPACE:
      return kKeySpace;
    case SDL_SCANCODE_LEFT:
      return kKeyLeft;
    case SDL_SCANCODE_UP:
      return kKeyUp;
    case SDL_SCANCODE_RIGHT:
      return kKeyRight;
    case SDL_SCANCODE_DOWN:
      return kKeyDown;
    default:
      return std::nullopt;
  }
}

int16_t GameShiftState(Uint16 modifiers) {
  return static_cast<int16_t>(((modifiers & KMOD_SHIFT) ? 1 : 0) |
                              ((modifiers & KMOD_CTRL) ? 2 : 0) | ((modifiers & KMOD_ALT) ? 4 : 0));
}

}  // namespace zentor
