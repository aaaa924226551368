#include "sdl/gamepad.h"

#include "game/game.h"

namespace zentor {
namespace {

int StickWay(Sint16 value) {
  if (value <= -Gamepads::kDeadZone) {
    return -1;
  }
  if (value >= Gamepads::kDeadZone) {
    return 1;
  }
  return 0;
}

// The way a D-pad holds its axis after one of its buttons went down or up: releasing the
// button of the other way leaves the axis as it is.
int Pressed(int held, int way, bool down) {
  if (down) {
    return way;
  }
  return held == way ? 0 : held;
}

}  // namespace

void Gamepads::Added(int deviceIndex) {
  if (!SDL_IsGameController(deviceIndex)) {
    return;
  }
  SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
  if (!controller) {
    return;
  }
  const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
  if (pads_.count(id) != 0) {
    SDL_GameControllerClose(controller);  // already open: SDL counts the second open
    return;
  }
  pads_[id].controller.reset(controller);
}

// A controller pulled out while steering lets go of its directions, as released arrows would.
void Gamepads::Removed(SDL_JoystickID id, std::vector<PadAction>& actions) {
  const auto found = pads_.find(id);
  if (found == pads_.end()) {
    return;
  }
  Pad& pad = found->second;
  if (pad.x.Held() != 0) {
    actions.push_back({PadAction::Kind::KeyUp, pad.x.Held() < 0 ? kKeyLeft : kKeyRight});
  }
  if (pad.y.Held() != 0) {
    actions.push_back({PadAction::Kind::KeyUp, pad.y.Held() < 0 ? kKeyUp : kKeyDown});
  }
  pads_.erase(found);
}

// A change of the way an axis is held is a key-up of the old arrow and a key-down of the new.
void Gamepads::Steer(Axis& axis, int Axis::*source, int way, int16_t lessCode, int16_t moreCode,
                     std::vector<PadAction>& actions) {
  const int before = axis.Held();
  axis.*source = way;
  const int after = axis.Held();
  if (after == before) {
    return;
  }
  if (before != 0) {
    actions.push_back({PadAction::Kind::KeyUp, before < 0 ? lessCode : moreCode});
  }
  if (after != 0) {
    actions.push_back({PadAction::Kind::KeyDown, after < 0 ? lessCode : moreCode});
  }
}

std::vector<PadAction> Gamepads::Handle(const SDL_Event& event) {
  std::vector<PadAction> actions;
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
      Added(event.cdevice.which);
      break;
    case SDL_CONTROLLERDEVICEREMOVED:
      Removed(event.cdevice.which, actions);
      break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
      const auto found = pads_.find(event.cbutton.which);
      if (found == pads_.end()) {
        break;
      }
      Pad& pad = found->second;
      const bool down = event.type == SDL_CONTROLLERBUTTONDOWN;
      switch (event.cbutton.button) {
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
          Steer(pad.x, &Axis::pad, Pressed(pad.x.pad, -1, down), kKeyLeft, kKeyRight, actions);
          break;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
          Steer(pad.x, &Axis::pad, Pressed(pad.x.pad, 1, down), kKeyLeft, kKeyRight, actions);
          break;
        case SDL_CONTROLLER_BUTTON_DPAD_UP:
          Steer(pad.y, &Axis::pad, Pressed(pad.y.pad, -1, down), kKeyUp, kKeyDown, actions);
          break;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
          Steer(pad.y, &Axis::pad, Pressed(pad.y.pad, 1, down), kKeyUp, kKeyDown, actions);
          break;
        case SDL_CONTROLLER_BUTTON_START:
          if (down) {
            actions.push_back({PadAction::Kind::KeyDown, kKeySpace});
          }
          break;
        case SDL_CONTROLLER_BUTTON_BACK:
          if (down) {
            actions.push_back({PadAction::Kind::KeyDown, kKeyP});
          }
          break;
        case SDL_CONTROLLER_BUTTON_A:
          if (down) {
            actions.push_back({PadAction::Kind::PressRestart, 0});
          }
          break;
        default:
          break;
      }
      break;
    }
    case SDL_CONTROLLERAXISMOTION: {
      const auto found = pads_.find(event.caxis.which);
      if (found == pads_.end()) {
        break;
      }
      Pad& pad = found->second;
      const int way = StickWay(event.caxis.value);
      if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) {
        Steer(pad.x, &Axis::stick, way, kKeyLeft, kKeyRight, actions);
      } else if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) {
        Steer(pad.y, &Axis::stick, way, kKeyUp, kKeyDown, actions);
      }
      break;
    }
    default:
      break;
  }
  return actions;
}

}  // namespace zentor
