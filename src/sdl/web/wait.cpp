// Waiting in a page. The program runs on the page's one thread, so a wait hands the thread back to
// the browser: Asyncify unwinds the program's stack and winds it up again when the wait ends,
// while the browser runs the page's events, timers and drawing. SDL's own wait for events has no
// thread to sleep on here and polls every millisecond, which keeps the browser busy all the while
// the game waits for the space bar; this one sleeps until SDL queues an event, which it does from
// the page's event handlers while the program sleeps.
#include <emscripten.h>

#include <algorithm>

#include "sdl/wait.h"

namespace zentor {
namespace {

// Controllers are read only when events are looked for: while one is attached, a wait looks
// again after this long.
constexpr std::chrono::milliseconds kControllerLook{16};

// The JavaScript below is kept as written: clang-format would space it as C++.
// clang-format off

// Sleeps `ms` milliseconds, or less when WakeUp is called meanwhile.
EM_ASYNC_JS(void, SleepOrWake, (double ms), {
  await new Promise(resolve => {
    const end = () => {
      clearTimeout(timer);
      Module['zentorWake'] = null;
      resolve();
    };
    const timer = setTimeout(end, ms);
    Module['zentorWake'] = end;
  });
});

// Runs inside the page's event handler that queued an event. The sleep ends after the handler
// has returned, when the promise's continuation runs: the program is never wound up inside it.
EM_JS(void, WakeUp, (), {
  if (Module['zentorWake']) {
    Module['zentorWake']();
  }
});

// clang-format on

int WakeOnEvent(void*, SDL_Event*) {
  WakeUp();
  return 0;
}

}  // namespace

void SleepUntil(WaitClock::time_point deadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - WaitClock::now());
  if (left.count() > 0) {
    emscripten_sleep(static_cast<unsigned>(left.count()));
  }
}

bool WaitForEvent(SDL_Event& event, std::chrono::milliseconds longest) {
  if (SDL_PollEvent(&event)) {
    return true;
  }
  if (SDL_NumJoysticks() > 0) {
    longest = std::min(longest, kControllerLook);
  }
  SDL_AddEventWatch(WakeOnEvent, nullptr);
  SleepOrWake(static_cast<double>(longest.count()));
  SDL_DelEventWatch(WakeOnEvent, nullptr);
  return SDL_PollEvent(&event) != 0;
}

void GiveWay() {
  emscripten_sleep(0);
}

bool GivesWay() {
  return true;
}

}  // namespace zentor
