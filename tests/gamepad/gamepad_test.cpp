// Controllers through SDL's virtual joystick: no hardware and no display needed.
#include "sdl/gamepad.h"

#include <gtest/gtest.h>

#include "game/game.h"
#include "test_host.h"

namespace zentor {
namespace {

class GamepadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
    Plug();
  }
  void TearDown() override {
    Unplug();
    SDL_Quit();
  }

  void Plug() {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "test pad";
    device_ = SDL_JoystickAttachVirtualEx(&desc);
    ASSERT_GE(device_, 0) << SDL_GetError();
    joystick_ = SDL_JoystickOpen(device_);
    ASSERT_NE(joystick_, nullptr) << SDL_GetError();
    Drain();
    ASSERT_EQ(pads_.Open(), 1u);
  }

  void Unplug() {
    if (joystick_) {
      SDL_JoystickClose(joystick_);
      joystick_ = nullptr;
      SDL_JoystickDetachVirtual(device_);
      Drain();
    }
  }

  // Runs every pending event through the controllers into the game, as the window does.
  void Drain() {
    SDL_GameControllerUpdate();
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
      for (const PadAction& action : pads_.Handle(event)) {
        switch (action.kind) {
          case PadAction::Kind::KeyDown:
            OnKeyDown(g_.game, action.code, 0);
            break;
          case PadAction::Kind::KeyUp:
            OnKeyUp(g_.game, action.code, 0);
            break;
          case PadAction::Kind::PressRestart:
            if (g_.game.form.Restart.Visible) {
              OnRestartClick(g_.game);
            }
            break;
        }
      }
    }
  }

  void Button(SDL_GameControllerButton button, bool down) {
    ASSERT_EQ(SDL_JoystickSetVirtualButton(joystick_, button, down ? 1 : 0), 0);
    Drain();
  }

  void Stick(SDL_GameControllerAxis axis, Sint16 value) {
    ASSERT_EQ(SDL_JoystickSetVirtualAxis(joystick_, axis, value), 0);
    Drain();
  }

  testing::LoadedGame g_;
  Gamepads pads_;
  int device_ = -1;
  SDL_Joystick* joystick_ = nullptr;
};

TEST_F(GamepadTest, DpadSteersAsTheArrowsDo) {
  struct Step {
    SDL_GameControllerButton button;
    bool down;
    int16_t stepX;
    int16_t stepY;
  };
  const Step steps[] = {
      {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true, 200, 0},
      {SDL_CONTROLLER_BUTTON_DPAD_UP, true, 200, -200},
      {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false, 0, -200},
      {SDL_CONTROLLER_BUTTON_DPAD_LEFT, true, -200, -200},
      {SDL_CONTROLLER_BUTTON_DPAD_UP, false, -200, 0},
      {SDL_CONTROLLER_BUTTON_DPAD_DOWN, true, -200, 200},
      {SDL_CONTROLLER_BUTTON_DPAD_LEFT, false, 0, 200},
      {SDL_CONTROLLER_BUTTON_DPAD_DOWN, false, 0, 0},
  };
  for (const Step& step : steps) {
    Button(step.button, step.down);
    EXPECT_EQ(g_.game.StepX, step.stepX) << step.button << (step.down ? " down" : " up");
    EXPECT_EQ(g_.game.StepY, step.stepY) << step.button << (step.down ? " down" : " up");
  }
}

TEST_F(GamepadTest, StickSteersOutsideItsDeadZoneAndReleasesLikeAKey) {
  struct Step {
    SDL_GameControllerAxis axis;
    Sint16 value;
    int16_t stepX;
    int16_t stepY;
  };
  const Sint16 dead = Gamepads::kDeadZone;
  const Step steps[] = {
      {SDL_CONTROLLER_AXIS_LEFTX, static_cast<Sint16>(dead - 1), 0, 0},
      {SDL_CONTROLLER_AXIS_LEFTX, dead, 200, 0},
      {SDL_CONTROLLER_AXIS_LEFTX, 32767, 200, 0},
      {SDL_CONTROLLER_AXIS_LEFTX, -32768, -200, 0},  // straight across: the new way holds
      {SDL_CONTROLLER_AXIS_LEFTY, 20000, -200, 200},
      {SDL_CONTROLLER_AXIS_LEFTX, 0, 0, 200},  // back to the centre: the key-up
      {SDL_CONTROLLER_AXIS_LEFTY, -20000, 0, -200},
      {SDL_CONTROLLER_AXIS_LEFTY, static_cast<Sint16>(1 - dead), 0, 0},
      {SDL_CONTROLLER_AXIS_RIGHTX, 32767, 0, 0},  // the right stick does not steer
  };
  for (const Step& step : steps) {
    Stick(step.axis, step.value);
    EXPECT_EQ(g_.game.StepX, step.stepX) << step.axis << " at " << step.value;
    EXPECT_EQ(g_.game.StepY, step.stepY) << step.axis << " at " << step.value;
  }
}

TEST_F(GamepadTest, StartBackAndAControlTheGame) {
  Form& form = g_.game.form;
  Button(SDL_CONTROLLER_BUTTON_START, true);
  EXPECT_TRUE(form.Timer1.Enabled);
  EXPECT_EQ(form.Start.Caption, "PRESS 'P' TO PAUSE");
  Button(SDL_CONTROLLER_BUTTON_START, false);
  Button(SDL_CONTROLLER_BUTTON_BACK, true);
  EXPECT_FALSE(form.Timer1.Enabled);
  EXPECT_EQ(form.Start.Caption, " PRESS THE SPACE BAR TO START");
  Button(SDL_CONTROLLER_BUTTON_BACK, false);

  // A does nothing while Restart is hidden, and restarts once a game is over.
  form.lblScore.Caption = "37";
  Button(SDL_CONTROLLER_BUTTON_A, true);
  Button(SDL_CONTROLLER_BUTTON_A, false);
  EXPECT_EQ(form.lblScore.Caption, "37");
  form.Restart.Visible = form.endgame.Visible = true;
  Button(SDL_CONTROLLER_BUTTON_A, true);
  EXPECT_FALSE(form.Restart.Visible);
  EXPECT_EQ(form.lblScore.Caption, "0");
  EXPECT_EQ(form.high.Caption, "37");
}

TEST_F(GamepadTest, UnpluggingWhileSteeringLetsGo) {
  Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
  Stick(SDL_CONTROLLER_AXIS_LEFTY, 30000);
  ASSERT_EQ(g_.game.StepX, -200);
  ASSERT_EQ(g_.game.StepY, 200);
  Unplug();
  EXPECT_EQ(pads_.Open(), 0u);
  EXPECT_EQ(g_.game.StepX, 0);
  EXPECT_EQ(g_.game.StepY, 0);
  // Plugged in again, it steers again.
  Plug();
  Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
  EXPECT_EQ(g_.game.StepX, 200);
}

}  // namespace
}  // namespace zentor
