// The display that shows the window, readied before SDL starts its video. Each platform has its
// own file: display.cpp for X11 and Wayland on the desktop, display_web.cpp in a page, which is
// its own display.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace zentor {

// Whether an environment variable is unset or empty, which mean the same to SDL.
inline bool Unset(const char* variable) {
  const char* value = std::getenv(variable);
  return !value || !*value;
}

// Call before SDL starts its video. Returns the sentence for the player when there is no display
// to show a window on. `driverAskedFor`: SDL_VIDEODRIVER names a video driver of its own (a
// console, say), which needs none.
std::optional<std::string> PrepareDisplay(bool driverAskedFor);

}  // namespace zentor
