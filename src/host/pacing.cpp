#include "host/pacing.h"

namespace zentor {

void TickClock::Start(std::chrono::milliseconds interval, Clock::time_point now) {
  if (!deadline_) {
    interval_ = interval;
    deadline_ = now + interval_;
  }
}

void TickClock::Follow(const Timer& timer, Clock::time_point now) {
  if (!timer.Enabled || timer.Interval <= 0) {
    Stop();
    return;
  }
  Start(std::chrono::milliseconds(timer.Interval), now);
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
