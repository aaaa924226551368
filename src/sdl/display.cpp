#include "sdl/display.h"

#include "sdl/x11_errors.h"

namespace zentor {

std::optional<std::string> PrepareDisplay(bool driverAskedFor) {
  IgnoreLateWakeups();
  // Without a display SDL would go on with a window that nobody sees.
  if (!driverAskedFor && Unset("DISPLAY") && Unset("WAYLAND_DISPLAY")) {
    return "cannot open a window: no display found (set DISPLAY)";
  }
  return std::nullopt;
}

}  // namespace zentor
