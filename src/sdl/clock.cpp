#include "sdl/clock.h"

namespace zentor {

void TickClock::Follow(const Timer& timer, Clock::time_point now) {
  // A timer with no interval never ticks.
  if (!timer.Enabled || timer.Interval <= 0) {
    deadline_.reset();
    return;
  }
  if (!deadline_) {
    interval_ = std::chrono::milliseconds(timer.Interval);
    deadline_ = now + interval_;
  }
}

void TickClock::Ticked(Clock::time_point started) {
  if (!deadline_) {
    return;
  }
  const bool stalled = started - *deadline_ > interval_;
  deadline_ = (stalled ? started : *deadline_) + interval_;
}

void TickClock::Resume(Clock::time_point now) {
  if (deadline_) {
    deadline_ = now + interval_;
  }
}

}  // namespace zentor
