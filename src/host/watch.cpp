#include "host/watch.h"

#include <chrono>
#include <utility>

#include "game/game.h"
#include "playfield/layout.h"

namespace zentor {
namespace {

std::chrono::milliseconds GamePace() {
  return std::chrono::milliseconds(MakeForm().Timer1.Interval);
}

}  // namespace

Watch::Watch(Step step, Clock::time_point now) : step_(std::move(step)) {
  clock_.Start(GamePace(), now);
}

std::optional<Watch::Clock::time_point> Watch::Deadline() const {
  if (paused_ || !more_ || !clock_.Running()) {
    return std::nullopt;
  }
  return clock_.Deadline();
}

bool Watch::StepIfDue(Clock::time_point now) {
  if (paused_ || !more_ || !clock_.Due(now)) {
    return false;
  }
  more_ = step_();
  // A box shown by the step has set the pace again from its closing.
  if (!std::exchange(boxShown_, false)) {
    clock_.Ticked(now);
  }
  return true;
}

void Watch::KeyDown(int16_t code, Clock::time_point now) {
  if (code == kKeyP) {
    paused_ = true;
  } else if (code == kKeySpace && paused_) {
    paused_ = false;
    clock_.Resume(now);
  }
}

void Watch::BoxClosed(Clock::time_point now) {
  boxShown_ = true;
  clock_.Resume(now);
}

}  // namespace zentor
