// The game-over box's behaviour: which keys, buttons and clicks close it.
#include <gtest/gtest.h>

#include "sdl/dialog.h"

namespace zentor {
namespace {

constexpr SDL_Rect kOk{100, 80, 60, 20};
constexpr SDL_Point kOnOk{120, 90};
constexpr SDL_Point kBeside{20, 20};

TEST(Dialog, EnterSpaceAndEscapeCloseItAndEveryOtherKeyIsUsedUp) {
  const struct {
    SDL_Scancode key;
    bool closes;
  } keys[] = {
      {SDL_SCANCODE_RETURN, true}, {SDL_SCANCODE_KP_ENTER, true}, {SDL_SCANCODE_SPACE, true},
      {SDL_SCANCODE_ESCAPE, true}, {SDL_SCANCODE_P, false},       {SDL_SCANCODE_LEFT, false},
      {SDL_SCANCODE_F11, false},   {SDL_SCANCODE_TAB, false},
  };
  for (const auto& [key, closes] : keys) {
    Dialog dialog("YOU SUCK!", "Game Over");
    EXPECT_EQ(dialog.KeyDown(key), closes) << SDL_GetScancodeName(key);
    EXPECT_EQ(dialog.Open(), !closes) << SDL_GetScancodeName(key);
  }
}

TEST(Dialog, AControllersAOrStartClosesIt) {
  const struct {
    SDL_GameControllerButton button;
    bool closes;
  } buttons[] = {
      {SDL_CONTROLLER_BUTTON_A, true},        {SDL_CONTROLLER_BUTTON_START, true},
      {SDL_CONTROLLER_BUTTON_B, false},       {SDL_CONTROLLER_BUTTON_BACK, false},
      {SDL_CONTROLLER_BUTTON_DPAD_UP, false},
  };
  for (const auto& [button, closes] : buttons) {
    Dialog dialog("YOU SUCK!", "Game Over");
    dialog.PadButton(static_cast<Uint8>(button));
    EXPECT_EQ(dialog.Open(), !closes) << button;
  }
}

TEST(Dialog, OnlyAPressAndAReleaseBothOnOkClickIt) {
  const struct {
    SDL_Point press;
    SDL_Point release;
    bool closes;
  } clicks[] = {
      {kOnOk, kOnOk, true},
      {kBeside, kOnOk, false},
      {kOnOk, kBeside, false},
      {kBeside, kBeside, false},
  };
  for (const auto& [press, release, closes] : clicks) {
    Dialog dialog("YOU SUCK!", "Game Over");
    dialog.Press(press, kOk);
    dialog.Release(release, kOk);
    EXPECT_EQ(dialog.Open(), !closes) << press.x << " to " << release.x;
  }
}

TEST(Dialog, OkLooksPushedInOnlyWhileHeldWithThePointerOverIt) {
  Dialog dialog("YOU SUCK!", "Game Over");
  EXPECT_TRUE(dialog.Move(kOnOk, kOk));
  EXPECT_TRUE(dialog.OkHover());
  EXPECT_FALSE(dialog.OkPressed());
  EXPECT_TRUE(dialog.Press(kOnOk, kOk));
  EXPECT_TRUE(dialog.OkPressed());
  EXPECT_TRUE(dialog.Move(kBeside, kOk));
  EXPECT_FALSE(dialog.OkPressed());
  EXPECT_FALSE(dialog.Move(kBeside, kOk));
  // Back over it, still held: pushed in again, and letting go there clicks it.
  EXPECT_TRUE(dialog.Move(kOnOk, kOk));
  EXPECT_TRUE(dialog.OkPressed());
  dialog.Release(kOnOk, kOk);
  EXPECT_FALSE(dialog.Open());
}

}  // namespace
}  // namespace zentor
