// Game controllers beside the keyboard: the D-pad and the left stick steer as the arrows do,
// Start acts as the space bar, Back as P, and A presses Restart.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "host/inputs.h"

namespace zentor {

// Opens controllers as they are plugged in, closes them as they go, and turns their events into
// the key-downs and key-ups the game knows.
class Gamepads {
 public:
  // The stick must leave this much of its travel around the centre before it steers.
  static constexpr Sint16 kDeadZone = 8000;

  // The actions of one event; nothing for events that are not a controller's.
  std::vector<PadAction> Handle(const SDL_Event& event);

  size_t Open() const { return pads_.size(); }

 private:
  // Which way one axis of one controller is held, by D-pad and by stick: -1, 0 or +1.
  struct Axis {
    int pad = 0;
    int stick = 0;
    int Held() const { return pad != 0 ? pad : stick; }
  };
  struct Pad {
    std::unique_ptr<SDL_GameController, void (*)(SDL_GameController*)> controller{
        nullptr, SDL_GameControllerClose};
    Axis x;
    Axis y;
  };

  void Added(int deviceIndex);
  void Removed(SDL_JoystickID id, std::vector<PadAction>& actions);
  static void Steer(Axis& axis, int Axis::*source, int way, int16_t lessCode, int16_t moreCode,
                    std::vector<PadAction>& actions);

  std::map<SDL_JoystickID, Pad> pads_;
};

}  // namespace zentor
