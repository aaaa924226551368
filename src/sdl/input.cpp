#include "sdl/input.h"

#include "game/game.h"
#include "playfield/layout.h"

namespace zentor {
namespace {

bool Inside(const CommandButton& button, double x, double y) {
  return button.Visible && x >= button.Left &&
         x < static_cast<double>(button.Left) + button.Width && y >= button.Top &&
         y < static_cast<double>(button.Top) + button.Height;
}

}  // namespace

std::optional<int16_t> GameKeyCode(SDL_Scancode key) {
  if (key >= SDL_SCANCODE_A && key <= SDL_SCANCODE_Z) {
    return static_cast<int16_t>('A' + (key - SDL_SCANCODE_A));
  }
  // The scan codes run 1 to 9, then 0.
  if (key >= SDL_SCANCODE_1 && key <= SDL_SCANCODE_9) {
    return static_cast<int16_t>('1' + (key - SDL_SCANCODE_1));
  }
  switch (key) {
    case SDL_SCANCODE_0:
      return static_cast<int16_t>('0');
    case SDL_SCANCODE_SPACE:
      return kKeySpace;
    case SDL_SCANCODE_LEFT:
      return kKeyLeft;
    case SDL_SCANCODE_UP:
      return kKeyUp;
    case SDL_SCANCODE_RIGHT:
      return kKeyRight;
    case SDL_SCANCODE_DOWN:
      return kKeyDown;
    default:
      return std::nullopt;
  }
}

int16_t GameShiftState(Uint16 modifiers) {
  return static_cast<int16_t>(((modifiers & KMOD_SHIFT) ? 1 : 0) |
                              ((modifiers & KMOD_CTRL) ? 2 : 0) | ((modifiers & KMOD_ALT) ? 4 : 0));
}

ButtonId ButtonAt(const Form& form, double x, double y) {
  for (const LayoutRow& row : StartingLayout) {
    if (row.Id == ControlId::endgame && Inside(form.endgame, x, y)) {
      return ButtonId::endgame;
    }
    if (row.Id == ControlId::Restart && Inside(form.Restart, x, y)) {
      return ButtonId::Restart;
    }
  }
  return ButtonId::None;
}

bool ButtonTracker::Hover(ButtonId now) {
  const bool changed = hover_ != now;
  hover_ = now;
  return changed;
}

bool ButtonTracker::Move(const Form& form, double x, double y) {
  pointer_ = {x, y};
  return Hover(ButtonAt(form, x, y));
}

bool ButtonTracker::Press(const Form& form, double x, double y) {
  const bool moved = Move(form, x, y);
  const ButtonId before = pressed_;
  pressed_ = hover_;
  return moved || pressed_ != before;
}

bool ButtonTracker::Leave() {
  pointer_.reset();
  return Hover(ButtonId::None);
}

bool ButtonTracker::Refresh(const Form& form) {
  // A pressed button that was hidden meanwhile can no longer be clicked.
  const ButtonId before = pressed_;
  if ((pressed_ == ButtonId::Restart && !form.Restart.Visible) ||
      (pressed_ == ButtonId::endgame && !form.endgame.Visible)) {
    pressed_ = ButtonId::None;
  }
  const bool hover =
      Hover(pointer_ ? ButtonAt(form, pointer_->first, pointer_->second) : ButtonId::None);
  return hover || pressed_ != before;
}

ButtonId ButtonTracker::Release(const Form& form, double x, double y) {
  Move(form, x, y);
  const ButtonId clicked =
      pressed_ != ButtonId::None && hover_ == pressed_ ? pressed_ : ButtonId::None;
  pressed_ = ButtonId::None;
  return clicked;
}

ButtonLook ButtonTracker::Look() const {
  return {hover_, pressed_, ButtonId::Restart};
}

}  // namespace zentor
