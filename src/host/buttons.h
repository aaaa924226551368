// Push buttons under a pointer: which one a point is on, and the hover, press and release that
// make a click. One model for the window's buttons and for the game-over box's OK.
#pragma once

#include <optional>
#include <utility>

#include "playfield/controls.h"

namespace zentor {

// The presses of push buttons named by Id, whose value-initialised Id is none: a click is a
// press and a release on the same button; a press that leaves its button shows it pushed in
// only while the pointer is back over it, as desktop buttons do. Each call but Release returns
// true when the buttons' look changed.
template <class Id>
class ButtonPresses {
 public:
  // The pointer is over `under` now.
  bool Over(Id under) {
    const bool changed = hover_ != under;
    hover_ = under;
    return changed;
  }
  bool Press(Id under) {
    const bool moved = Over(under);
    const Id before = pressed_;
    pressed_ = hover_;
    return moved || pressed_ != before;
  }
  // The button clicked by releasing over `under`, if any.
  Id Release(Id under) {
    Over(under);
    const Id clicked = pressed_ != Id{} && hover_ == pressed_ ? pressed_ : Id{};
    pressed_ = Id{};
    return clicked;
  }
  // A held button that was hidden can no longer be clicked.
  bool Forget(Id hidden) {
    if (hidden == Id{} || pressed_ != hidden) {
      return false;
    }
    pressed_ = Id{};
    return true;
  }

  Id Hover() const { return hover_; }
  Id Held() const { return pressed_; }
  // Drawn pushed in: held down with the pointer over it.
  bool PushedIn(Id button) const { return pressed_ == button && hover_ == button; }

 private:
  Id hover_{};
  Id pressed_{};
};

// The shown push button at a point of the client area (twips), the topmost where they overlap.
ButtonId ButtonAt(const Form& form, double x, double y);

// The left mouse button (or a finger) over the window's push buttons, in the client area's
// twips.
class ButtonTracker {
 public:
  // Each returns true when the buttons' look changed.
  bool Move(const Form& form, double x, double y);
  bool Press(const Form& form, double x, double y);
  // The pointer left the window.
  bool Leave();
  // After the form changed (buttons shown or hidden) under a pointer that stayed where it was.
  bool Refresh(const Form& form);

  // The button clicked by releasing here, if any.
  ButtonId Release(const Form& form, double x, double y);

  ButtonId Hover() const { return presses_.Hover(); }
  ButtonId Held() const { return presses_.Held(); }

 private:
  ButtonPresses<ButtonId> presses_;
  std::optional<std::pair<double, double>> pointer_;
};

}  // namespace zentor
