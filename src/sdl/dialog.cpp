#include "sdl/dialog.h"

namespace zentor {

bool Dialog::KeyDown(SDL_Scancode key) {
  switch (key) {
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_KP_ENTER:
    case SDL_SCANCODE_SPACE:
    case SDL_SCANCODE_ESCAPE:
      open_ = false;
      return true;
    default:
      return false;
  }
}

bool Dialog::PadButton(Uint8 button) {
  if (button == SDL_CONTROLLER_BUTTON_A || button == SDL_CONTROLLER_BUTTON_START) {
    open_ = false;
    return true;
  }
  return false;
}

bool Dialog::Move(SDL_Point pointer, const SDL_Rect& ok) {
  const bool over = SDL_PointInRect(&pointer, &ok);
  const bool changed = over != hover_;
  hover_ = over;
  return changed;
}

bool Dialog::Press(SDL_Point pointer, const SDL_Rect& ok) {
  const bool moved = Move(pointer, ok);
  const bool before = pressed_;
  pressed_ = hover_;
  return moved || pressed_ != before;
}

bool Dialog::Release(SDL_Point pointer, const SDL_Rect& ok) {
  Move(pointer, ok);
  const bool clicked = pressed_ && hover_;
  pressed_ = false;
  if (clicked) {
    open_ = false;
  }
  return true;
}

bool Dialog::Leave() {
  const bool changed = hover_;
  hover_ = false;
  return changed;
}

}  // namespace zentor
