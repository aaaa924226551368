// The page's own controls reach the game through SDL's event queue, as the keyboard does, so that
// they wake the game's wait and take their turn among the other events.
#include "sdl/page.h"

#include <emscripten.h>

namespace zentor {
namespace {

Uint32 ControlEventType() {
  static const Uint32 type = SDL_RegisterEvents(1);
  return type;
}

const char* StateName(PlayState state) {
  switch (state) {
    case PlayState::Waiting:
      return "waiting";
    case PlayState::Running:
      return "running";
    case PlayState::Box:
      return "box";
    case PlayState::Over:
      return "over";
    case PlayState::Ended:
      return "ended";
  }
  return "";
}

}  // namespace

std::optional<PageControl> ReadPageControl(const SDL_Event& event) {
  if (event.type != ControlEventType() || ControlEventType() == static_cast<Uint32>(-1)) {
    return std::nullopt;
  }
  return PageControl{static_cast<int16_t>(event.user.code), event.user.data1 != nullptr};
}

void TellPage(PlayState state) {
  // clang-format off
  MAIN_THREAD_EM_ASM({
    if (Module['onGameState']) {
      Module['onGameState'](UTF8ToString($0));
    }
  }, StateName(state));
  // clang-format on
}

}  // namespace zentor

// Module._zentor_control(code, down): one of the page's controls pressed (down 1) or let go
// (down 0) as the key with the game's code `code` (37 to 40 the arrows, 32 the space bar, 80 P).
extern "C" EMSCRIPTEN_KEEPALIVE void zentor_control(int code, int down) {
  if (!SDL_WasInit(SDL_INIT_EVENTS) || code < 0 || code > 0xFFFF) {
    return;
  }
  SDL_Event event{};
  event.type = zentor::ControlEventType();
  event.user.code = code;
  event.user.data1 = down ? &event : nullptr;
  SDL_PushEvent(&event);
}
