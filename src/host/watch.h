// A replay script watched at the game's pace (zentor --play, a page's ?play=): one step of the
// script each tick of the game's clock, P pauses and the space bar goes on, the pace starts
// again after a game-over box, and a script that has run out waits for the player to go.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "host/pacing.h"

namespace zentor {

class Watch {
 public:
  using Clock = TickClock::Clock;

  // Runs the script's next step: false once the script has run out.
  using Step = std::function<bool()>;

  // Watches a script step by step at the pace of the game's Timer1, from `now` on.
  Watch(Step step, Clock::time_point now);

  // When the next step is due; nothing while paused or when the script has run out.
  std::optional<Clock::time_point> Deadline() const;
  // Runs the step that is due at `now`, if one is. Whether the picture changed.
  bool StepIfDue(Clock::time_point now);
  // P pauses; the space bar goes on from `now`. Every other key does nothing.
  void KeyDown(int16_t code, Clock::time_point now);
  // After a box shown outside the pace: the next step one interval from `now`.
  void BoxClosed(Clock::time_point now);

  bool Paused() const { return paused_; }

 private:
  Step step_;
  TickClock clock_;
  bool paused_ = false;
  bool more_ = true;
  bool boxShown_ = false;
};

}  // namespace zentor
