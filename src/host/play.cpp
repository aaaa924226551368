#include "host/play.h"

#include <algorithm>
#include <array>
#include <limits>

#include "playfield/convert.h"

namespace zentor {
namespace {

// The panel's key squares by their index in Form::Shapes, and the keys they show.
struct LegendKey {
  int shape;
  int16_t code;
};
constexpr std::array<LegendKey, kLegendShapeCount> kLegendKeys = {
    {{0, kKeyUp}, {1, kKeyDown}, {2, kKeyRight}, {3, kKeyLeft}}};
// How far around the four squares a finger still finds the nearest of them: half a square.
constexpr double kLegendReach = 367.5;

}  // namespace

std::optional<int16_t> LegendKeyAt(const Form& form, double x, double y) {
  double left = std::numeric_limits<double>::max();
  double top = left;
  double right = std::numeric_limits<double>::lowest();
  double bottom = right;
  for (const Shape& square : form.Shapes) {
    left = std::min<double>(left, square.Left);
    top = std::min<double>(top, square.Top);
    right = std::max<double>(right, static_cast<double>(square.Left) + square.Width);
    bottom = std::max<double>(bottom, static_cast<double>(square.Top) + square.Height);
  }
  if (x < left - kLegendReach || x >= right + kLegendReach || y < top - kLegendReach ||
      y >= bottom + kLegendReach) {
    return std::nullopt;
  }
  // On a square its own key; between and around them the key of the nearest centre.
  for (const LegendKey& key : kLegendKeys) {
    const Shape& square = form.Shapes[key.shape];
    if (x >= square.Left && x < static_cast<double>(square.Left) + square.Width &&
        y >= square.Top && y < static_cast<double>(square.Top) + square.Height) {
      return key.code;
    }
  }
  const LegendKey* nearest = nullptr;
  double nearestDistance = std::numeric_limits<double>::max();
  for (const LegendKey& key : kLegendKeys) {
    const Shape& square = form.Shapes[key.shape];
    const double dx = x - (square.Left + square.Width / 2.0);
    const double dy = y - (square.Top + square.Height / 2.0);
    if (dx * dx + dy * dy < nearestDistance) {
      nearestDistance = dx * dx + dy * dy;
      nearest = &key;
    }
  }
  return nearest->code;
}

Play::Play(Platform& platform, std::unique_ptr<SessionRecorder> recorder)
    : platform_(platform), session_(*this, std::move(recorder)) {}

template <class Handler>
void Play::Call(Handler handler) {
  frame_ = platform_.Frame(form());
  handler();
  clock_.Follow(form().Timer1, platform_.Now());
  buttons_.Refresh(form());
  platform_.Changed();
  Tell();
}

void Play::Tell() {
  if (State() != told_) {
    told_ = State();
    platform_.StateChanged(told_);
  }
  Words words = WordsOf(form(), told_, boxTitle_, boxPrompt_);
  if (!said_ || SaysMore(*said_, words)) {
    said_ = std::move(words);
    platform_.Said(*said_);
  }
}

void Play::Look(bool changed) {
  if (changed) {
    platform_.Changed();
  }
}

PlayState Play::State() const {
  if (ended_) {
    return PlayState::Ended;
  }
  if (inBox_) {
    return PlayState::Box;
  }
  if (form().Restart.Visible) {
    return PlayState::Over;
  }
  return session_.TickRuns() ? PlayState::Running : PlayState::Waiting;
}

void Play::Load() {
  loading_ = true;
  Call([&] { session_.Load(); });
  loading_ = false;
}

void Play::KeyDown(int16_t code) {
  Call([&] { session_.KeyDown(code); });
}

void Play::KeyUp(int16_t code) {
  Call([&] { session_.KeyUp(code); });
}

void Play::PressRestart() {
  Click(ButtonId::Restart);
}

void Play::PressButton(ButtonId button) {
  Click(button);
}

void Play::Click(ButtonId button) {
  if (button == ButtonId::Restart) {
    Call([&] { session_.ClickRestart(); });
  } else if (button == ButtonId::endgame) {
    Call([&] { session_.ClickEndgame(); });
  }
}

void Play::PointerMove(double x, double y) {
  Look(buttons_.Move(form(), x, y));
}

void Play::PointerPress(double x, double y) {
  Look(buttons_.Press(form(), x, y));
}

void Play::PointerRelease(double x, double y) {
  Click(buttons_.Release(form(), x, y));
  platform_.Changed();
}

void Play::PointerLeave() {
  Look(buttons_.Leave());
}

void Play::Pad(const PadAction& action) {
  switch (action.kind) {
    case PadAction::Kind::KeyDown:
      KeyDown(action.code);
      return;
    case PadAction::Kind::KeyUp:
      KeyUp(action.code);
      return;
    case PadAction::Kind::PressRestart:
      PressRestart();
      return;
  }
}

void Play::FocusLost() {
  for (const auto& [finger, touch] : std::exchange(touches_, {})) {
    LetGo(touch);
  }
  if (State() == PlayState::Running) {
    KeyDown(kKeyP);
  }
}

void Play::TouchDown(int64_t finger, double x, double y) {
  TouchCancel(finger);
  Touch touch;
  if (const auto key = LegendKeyAt(form(), x, y)) {
    touch = {Touch::Kind::Key, *key};
    KeyDown(*key);
  } else if (ButtonAt(form(), x, y) != ButtonId::None) {
    touch.kind = Touch::Kind::Button;
    PointerPress(x, y);
  } else if (State() == PlayState::Waiting) {
    touch = {Touch::Kind::SpaceBar, kKeySpace};
    KeyDown(kKeySpace);
  }
  touches_[finger] = touch;
}

void Play::TouchMove(int64_t finger, double x, double y) {
  const auto held = touches_.find(finger);
  if (held == touches_.end()) {
    return;
  }
  Touch& touch = held->second;
  if (touch.kind == Touch::Kind::Button) {
    PointerMove(x, y);
    return;
  }
  if (touch.kind != Touch::Kind::Key) {
    return;
  }
  // A thumb sliding over the panel's keys goes from one to the next; off them it holds none.
  const auto key = LegendKeyAt(form(), x, y);
  if (key == touch.key) {
    return;
  }
  KeyUp(touch.key);
  if (key) {
    touch.key = *key;
    KeyDown(*key);
  } else {
    touch = {};
  }
}

void Play::TouchUp(int64_t finger, double x, double y) {
  const auto held = touches_.find(finger);
  if (held == touches_.end()) {
    return;
  }
  const Touch touch = held->second;
  touches_.erase(held);
  if (touch.kind == Touch::Kind::Button) {
    PointerRelease(x, y);
    PointerLeave();
  } else {
    LetGo(touch);
  }
}

void Play::TouchCancel(int64_t finger) {
  const auto held = touches_.find(finger);
  if (held != touches_.end()) {
    const Touch touch = held->second;
    touches_.erase(held);
    LetGo(touch);
  }
}

// A finger that goes without lifting clicks nothing.
void Play::LetGo(const Touch& touch) {
  switch (touch.kind) {
    case Touch::Kind::Key:
    case Touch::Kind::SpaceBar:
      KeyUp(touch.key);
      return;
    case Touch::Kind::Button:
      buttons_.Release(form(), -1, -1);
      buttons_.Leave();
      platform_.Changed();
      return;
    case Touch::Kind::Nothing:
      return;
  }
}

std::optional<Play::Clock::time_point> Play::Deadline() const {
  return clock_.Running() ? std::optional(clock_.Deadline()) : std::nullopt;
}

void Play::TickIfDue() {
  // The box's own loop may look for due ticks: none runs while it is open.
  if (ended_ || inBox_ || !clock_.Due(platform_.Now())) {
    return;
  }
  const auto started = platform_.Now();
  Call([&] { session_.Tick(); });
  if (std::exchange(waitedForBox_, false)) {
    clock_.Resume(platform_.Now());
  } else {
    clock_.Ticked(started);
  }
}

void Play::MessageBox(std::string_view prompt, int32_t, std::string_view title) {
  inBox_ = true;
  boxTitle_ = title;
  boxPrompt_ = prompt;
  Tell();
  platform_.ShowBox(title, prompt);
  inBox_ = false;
  boxTitle_.clear();
  boxPrompt_.clear();
  waitedForBox_ = true;
  // The pointer moved for the box alone: the buttons' look follows where it is now.
  if (const auto pointer = platform_.Pointer()) {
    Look(buttons_.Move(form(), pointer->first, pointer->second));
  } else {
    Look(buttons_.Leave());
  }
}

void Play::End() {
  ended_ = true;
  platform_.Close();
  Tell();
}

float Play::NextRandom() {
  if (loading_) {
    platform_.LoadDraws();
  }
  return UnitFromBits(random_.Next());
}

}  // namespace zentor
