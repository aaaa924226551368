// The page's own controls reach the game through SDL's event queue, as the keyboard does, so that
// they wake the game's wait and take their turn among the other events. The page hears the
// game's state and words through Module.onGameState and Module.onGameWords (web/page.js).
#include "sdl/page.h"

#include <emscripten.h>

#include <cstdint>

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
  const auto button = static_cast<ButtonId>(reinterpret_cast<intptr_t>(event.user.data2));
  return PageControl{static_cast<int16_t>(event.user.code), event.user.data1 != nullptr, button};
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

void TellPage(const Words& words) {
  // clang-format off
  MAIN_THREAD_EM_ASM({
    if (Module['onGameWords']) {
      const text = UTF8ToString;
      Module['onGameWords']({
        state: text($0), status: text($1), scoreName: text($2), score: text($3),
        highName: text($4), high: text($5), restart: text($6), stop: text($7),
        boxTitle: text($8), boxPrompt: text($9),
      });
    }
  }, StateName(words.state), words.status.c_str(), words.scoreName.c_str(), words.score.c_str(),
     words.highName.c_str(), words.high.c_str(), words.restart.c_str(), words.stop.c_str(),
     words.boxTitle.c_str(), words.boxPrompt.c_str());
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

// Module._zentor_click(button): the page's twin of a push button clicked (1 "Click me to restart",
// 2 "Click me to stop"); the game takes it only while the button is shown.
extern "C" EMSCRIPTEN_KEEPALIVE void zentor_click(int button) {
  if (!SDL_WasInit(SDL_INIT_EVENTS) || (button != static_cast<int>(zentor::ButtonId::Restart) &&
                                        button != static_cast<int>(zentor::ButtonId::endgame))) {
    return;
  }
  SDL_Event event{};
  event.type = zentor::ControlEventType();
  event.user.data2 = reinterpret_cast<void*>(static_cast<intptr_t>(button));
  SDL_PushEvent(&event);
}
