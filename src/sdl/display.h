// What the window needs of the platform it runs on, readied before SDL starts its video. Each
// platform has its own file of the same name: display.cpp for X11 and Wayland on the desktop,
// web/display.cpp in a page, which is its own display.
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

// Makes SIGTERM and SIGINT end the program at once with status 0, in every state.
void EndOnSignals();

// Call before SDL starts its video. Returns the sentence for the player when there is no display
// to show a window on. `driverAskedFor`: SDL_VIDEODRIVER names a video driver of its own (a
// console, say), which needs none.
std::optional<std::string> PrepareDisplay(bool driverAskedFor);

// Why no window could be opened: the display asked for and SDL's reason.
std::string NoWindowSentence();

// How many pixels the desktop gives each point of a window: 2 or 3 on a scaled Wayland desktop,
// 1 elsewhere. Only once the video has started.
double DesktopScale();

// Whether the window shows an icon of its own: a page's has none (the site's icon stands for it),
// so the page spends no time drawing one.
bool ShowsWindowIcon();

}  // namespace zentor
