// How the desktop recognises the game's window as the installed game: docks and task switchers
// match a window to its desktop entry by the X11 window class or the Wayland app id.
#pragma once

#include <string_view>

namespace zentor {

// The component ID: the desktop entry is named after it, and so are its metadata and icon.
inline constexpr std::string_view kDesktopId = "io.github.zentor.Zentor";

// Names the windows after the desktop entry: the X11 class (the entry's StartupWMClass) and the
// Wayland app id both become kDesktopId. SDL reads these when its video starts, so this is
// called before SDL_Init.
void SetDesktopIdentity();

}  // namespace zentor
