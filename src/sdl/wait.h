// The window loop's two ways of waiting: for the clock's next tick, and for the next event. Each
// platform has its own file: wait.cpp on the desktop, web/wait.cpp in a page, where the program
// shares its one thread with the browser and must hand it back to wait.
#pragma once

#include <SDL.h>

#include <chrono>

namespace zentor {

using WaitClock = std::chrono::steady_clock;

// Sleeps until the deadline; events that come meanwhile wait for the next look.
void SleepUntil(WaitClock::time_point deadline);

// Waits for an event at most `longest`: true with the event in `event`, false when none came.
bool WaitForEvent(SDL_Event& event, std::chrono::milliseconds longest);

// Between the steps of the start-up: in a page the browser takes its turn (it paints, hears the
// player and loads), so that no step holds its one thread long; nothing on the desktop.
void GiveWay();
// Whether GiveWay gives the thread to anyone: in a page only.
bool GivesWay();

}  // namespace zentor
