// The keyboard in the game's terms: key codes by their place on the keyboard.
#include <gtest/gtest.h>

#include "sdl/input.h"

namespace zentor {
namespace {

TEST(GameKeyCode, KeysByTheirPlaceOnTheKeyboard) {
  const struct {
    SDL_Scancode key;
    int code;  // -1: not a key the game is told about
  } keys[] = {
      {SDL_SCANCODE_SPACE, 32},  {SDL_SCANCODE_LEFT, 37},   {SDL_SCANCODE_UP, 38},
      {SDL_SCANCODE_RIGHT, 39},  {SDL_SCANCODE_DOWN, 40},   {SDL_SCANCODE_P, 80},
      {SDL_SCANCODE_A, 65},      {SDL_SCANCODE_Z, 90},      {SDL_SCANCODE_1, 49},
      {SDL_SCANCODE_9, 57},      {SDL_SCANCODE_0, 48},      {SDL_SCANCODE_F11, -1},
      {SDL_SCANCODE_RETURN, -1}, {SDL_SCANCODE_LSHIFT, -1}, {SDL_SCANCODE_KP_4, -1},
  };
  for (const auto& [key, code] : keys) {
    const auto mapped = GameKeyCode(key);
    EXPECT_EQ(mapped ? *mapped : -1, code) << SDL_GetScancodeName(key);
  }
}

TEST(GameShiftState, ShiftControlAndAltAsTheGameCountsThem) {
  EXPECT_EQ(GameShiftState(KMOD_NONE), 0);
  EXPECT_EQ(GameShiftState(KMOD_RSHIFT), 1);
  EXPECT_EQ(GameShiftState(KMOD_LCTRL | KMOD_LALT), 6);
  EXPECT_EQ(GameShiftState(KMOD_CAPS), 0);
}

}  // namespace
}  // namespace zentor
