// The game's pace: ticks on a fixed schedule of deadlines, for the clock behind Timer1 while the
// timer is enabled and for a script watched at the game's pace alike.
#pragma once

#include <chrono>
#include <optional>

#include "playfield/controls.h"

namespace zentor {

class TickClock {
 public:
  using Clock = std::chrono::steady_clock;

  // Starts ticking every `interval`, the first tick one interval from now; starting again while
  // it runs changes nothing.
  void Start(std::chrono::milliseconds interval, Clock::time_point now);
  void Stop() { deadline_.reset(); }
  // Starts or stops with the timer. A timer with no interval never ticks.
  void Follow(const Timer& timer, Clock::time_point now);

  bool Running() const { return deadline_.has_value(); }
  // When the next tick is due; only while running.
  Clock::time_point Deadline() const { return *deadline_; }
  bool Due(Clock::time_point now) const { return deadline_ && now >= *deadline_; }

  // After a tick that began at `started`: the next is due one interval after the last deadline,
  // so that the ticks keep their schedule without drift. A tick more than one interval late
  // (the program was held up) schedules the next from `started` instead: the missed ticks are
  // dropped, not run in a burst.
  void Ticked(Clock::time_point started);

  // After a wait outside the schedule, such as a modal box: the next tick one interval from now.
  void Resume(Clock::time_point now);

 private:
  std::chrono::milliseconds interval_{0};
  std::optional<Clock::time_point> deadline_;
};

}  // namespace zentor
