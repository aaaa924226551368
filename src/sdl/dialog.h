// The game-over box's behaviour: which keys and clicks close it, and how its OK button looks
// under the pointer. Points are output pixels, as the box is placed and drawn.
#pragma once

#include <SDL.h>

#include <string>
#include <string_view>

#include "host/buttons.h"

namespace zentor {

class Dialog {
 public:
  Dialog(std::string_view title, std::string_view prompt) : title_(title), prompt_(prompt) {}

  bool Open() const { return open_; }
  const std::string& Title() const { return title_; }
  const std::string& Prompt() const { return prompt_; }
  bool OkHover() const { return ok_.Hover(); }
  // Pushed in: held down and the pointer over it.
  bool OkPressed() const { return ok_.PushedIn(true); }

  // Enter, Space and Escape close the box; every other key is used up. True when it closed.
  bool KeyDown(SDL_Scancode key);
  // A controller's A or Start closes the box.
  bool PadButton(Uint8 button);

  // Each returns true when the look changed; `ok` is where the OK button lies now.
  bool Move(SDL_Point pointer, const SDL_Rect& ok);
  bool Press(SDL_Point pointer, const SDL_Rect& ok);
  // A release on OK after a press on it closes the box.
  bool Release(SDL_Point pointer, const SDL_Rect& ok);
  bool Leave();

  // Closes the box without the player, as playback does after a moment.
  void Close() { open_ = false; }

 private:
  std::string title_;
  std::string prompt_;
  bool open_ = true;
  ButtonPresses<bool> ok_;  // true: OK
};

}  // namespace zentor
