#include "sdl/wait.h"

#include <thread>

namespace zentor {

void SleepUntil(WaitClock::time_point deadline) {
  std::this_thread::sleep_until(deadline);
}

bool WaitForEvent(SDL_Event& event, std::chrono::milliseconds longest) {
  return SDL_WaitEventTimeout(&event, static_cast<int>(longest.count())) != 0;
}

void GiveWay() {}

bool GivesWay() {
  return false;
}

}  // namespace zentor
