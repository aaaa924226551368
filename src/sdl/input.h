// The keyboard and the mouse in the game's terms: key codes by a key's place on the keyboard,
// and clicks of the push buttons.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <optional>
#include <utility>

#include "picture/form.h"
#include "playfield/controls.h"

namespace zentor {

// The game's code of a key, by its place on the keyboard whatever the layout or the shift
// state: letters and digits as their upper-case characters (P is 80), the space bar 32, the
// arrows 37 to 40. Nothing for the other keys.
std::optional<int16_t> GameKeyCode(SDL_Scancode key);

// The shift state in the game's terms: 1 for shift, 2 for control, 4 for alt.
int16_t GameShiftState(Uint16 modifiers);

// The shown push button at a point of the client area (twips), the topmost where they overlap.
ButtonId ButtonAt(const Form& form, double x, double y);

// The left mouse button over the push buttons. A click is a press and a release on the same
// shown button; a press that leaves the button shows it pushed in only while the pointer is
// back over it, as desktop buttons do. Points are in the client area's twips.
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

  ButtonLook Look() const;

 private:
  bool Hover(ButtonId now);

  ButtonId hover_ = ButtonId::None;
  ButtonId pressed_ = ButtonId::None;
  std::optional<std::pair<double, double>> pointer_;
};

}  // namespace zentor
