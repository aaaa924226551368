#include "sdl/identity.h"

#include <SDL.h>

#include <cstdlib>
#include <string>

namespace zentor {

namespace {

// The name shown where the desktop lists programs, such as those keeping the screen awake.
constexpr const char* kAppName = "Zentor";

}  // namespace

void SetDesktopIdentity() {
  // SDL 2.26 takes the window class and the app id from the environment only, not from hints.
  // They are overwritten so that a value meant for another program cannot unmatch the entry.
  const std::string id(kDesktopId);
  setenv("SDL_VIDEO_X11_WMCLASS", id.c_str(), 1);
  setenv("SDL_VIDEO_WAYLAND_WMCLASS", id.c_str(), 1);
  SDL_SetHint(SDL_HINT_APP_NAME, kAppName);
}

}  // namespace zentor
