// The keyboard and the mouse in the game's terms: key codes by place, and button clicks.
#include <gtest/gtest.h>

#include <utility>

#include "playfield/layout.h"
#include "sdl/input.h"

namespace zentor {
namespace {

std::pair<double, double> Centre(const CommandButton& b) {
  return {b.Left + b.Width / 2.0, b.Top + b.Height / 2.0};
}

Form FormWithButtons() {
  Form form = MakeForm();
  form.Restart.Visible = true;
  form.endgame.Visible = true;
  return form;
}

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

TEST(ButtonAt, EdgesBelongToTheButtonOnTheirLeftAndTop) {
  const Form form = FormWithButtons();
  const CommandButton& b = form.Restart;
  EXPECT_EQ(ButtonAt(form, b.Left, b.Top), ButtonId::Restart);
  EXPECT_EQ(ButtonAt(form, b.Left + b.Width - 0.5, b.Top + b.Height - 0.5), ButtonId::Restart);
  EXPECT_EQ(ButtonAt(form, b.Left + b.Width, b.Top), ButtonId::None);
  EXPECT_EQ(ButtonAt(form, b.Left, b.Top + b.Height), ButtonId::None);
  EXPECT_EQ(ButtonAt(form, Centre(form.endgame).first, Centre(form.endgame).second),
            ButtonId::endgame);
  EXPECT_EQ(ButtonAt(MakeForm(), Centre(b).first, Centre(b).second), ButtonId::None);
}

TEST(ButtonTracker, ClickIsPressAndReleaseOnTheSameShownButton) {
  const Form shown = FormWithButtons();
  const auto restart = Centre(shown.Restart);
  const auto endgame = Centre(shown.endgame);
  const std::pair<double, double> outside{100, 9000};
  const struct {
    const char* what;
    bool visible;
    std::pair<double, double> press, release;
    ButtonId clicked;
  } cases[] = {
      {"on Restart", true, restart, restart, ButtonId::Restart},
      {"on endgame", true, endgame, endgame, ButtonId::endgame},
      {"pressed on one, released on the other", true, restart, endgame, ButtonId::None},
      {"released beside the button", true, restart, outside, ButtonId::None},
      {"pressed beside, released on it", true, outside, restart, ButtonId::None},
      {"hidden buttons", false, restart, restart, ButtonId::None},
  };
  for (const auto& c : cases) {
    const Form form = c.visible ? shown : MakeForm();
    ButtonTracker tracker;
    tracker.Press(form, c.press.first, c.press.second);
    EXPECT_EQ(tracker.Release(form, c.release.first, c.release.second), c.clicked) << c.what;
    EXPECT_EQ(tracker.Look().pressed, ButtonId::None) << c.what;
  }
}

TEST(ButtonTracker, PushedInOnlyWhileThePointerIsOverThePressedButton) {
  const Form form = FormWithButtons();
  const auto [x, y] = Centre(form.Restart);
  ButtonTracker tracker;
  EXPECT_TRUE(tracker.Move(form, x, y));
  EXPECT_EQ(tracker.Look().hover, ButtonId::Restart);
  EXPECT_FALSE(tracker.Move(form, x + 10, y));
  EXPECT_TRUE(tracker.Press(form, x, y));
  EXPECT_EQ(tracker.Look().pressed, ButtonId::Restart);
  EXPECT_TRUE(tracker.Move(form, 100, 9000));
  EXPECT_EQ(tracker.Look().hover, ButtonId::None);
  EXPECT_EQ(tracker.Look().pressed, ButtonId::Restart);
  // Dragged back over it and released: still a click.
  EXPECT_TRUE(tracker.Move(form, x, y));
  EXPECT_EQ(tracker.Release(form, x, y), ButtonId::Restart);
  EXPECT_TRUE(tracker.Leave());
  EXPECT_EQ(tracker.Look().hover, ButtonId::None);
}

TEST(ButtonTracker, ButtonHiddenWhileHeldCannotBeClicked) {
  Form form = FormWithButtons();
  const auto [x, y] = Centre(form.Restart);
  ButtonTracker tracker;
  tracker.Press(form, x, y);
  form.Restart.Visible = false;
  EXPECT_TRUE(tracker.Refresh(form));
  form.Restart.Visible = true;
  EXPECT_EQ(tracker.Release(form, x, y), ButtonId::None);
}

TEST(ButtonTracker, HoverFollowsButtonsShownUnderAStillPointer) {
  Form form = MakeForm();
  const auto [x, y] = Centre(form.endgame);
  ButtonTracker tracker;
  EXPECT_FALSE(tracker.Move(form, x, y));
  form.endgame.Visible = true;
  EXPECT_TRUE(tracker.Refresh(form));
  EXPECT_EQ(tracker.Look().hover, ButtonId::endgame);
  form.endgame.Visible = false;
  EXPECT_TRUE(tracker.Refresh(form));
  EXPECT_EQ(tracker.Look().hover, ButtonId::None);
}

}  // namespace
}  // namespace zentor
