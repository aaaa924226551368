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
  return ok_.Over(SDL_PointInRect(&pointer, &ok));
}

bool Dialog::Press(SDL_Point pointer, const SDL_Rect& ok) {
  return ok_.Press(SDL_PointInRect(&pointer, &ok));
}

bool Dialog::Release(SDL_Point pointer, const SDL_Rect& ok) {
  if (ok_.Release(SDL_PointInRect(&pointer, &ok))) {
    open_ = false;
  }
  return true;
}

bool Dialog::Leave() {
  return ok_.Over(false);
}

}  // namespace zentor
