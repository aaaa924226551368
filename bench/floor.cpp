// zentor-floor: the least a window of the game's size costs on this machine. It opens an SDL
// window of 992 x 821 and draws it the way the game does (into the window's own surface), then
// only clears and shows it whole 40 times a second until it is closed or killed.
// bench/compare-floor measures the game against it.
#include <SDL.h>

#include <cstdio>
#include <stdexcept>

#include "picture/pixels.h"
#include "sdl/canvas.h"

namespace {

constexpr int kWidth = 992;
constexpr int kHeight = 821;
constexpr Uint64 kFramesPerSecond = 40;
constexpr zentor::Colour kGrey = 0x00808080;

// Clears and shows the whole window 40 times a second until it is closed. Frames are on a
// schedule of deadlines, so that a slow frame does not shift the ones after it.
void ShowFrames(SDL_Window* window) {
  zentor::WindowCanvas canvas(window);
  const Uint64 ticksPerSecond = SDL_GetPerformanceFrequency();
  const Uint64 interval = ticksPerSecond / kFramesPerSecond;
  Uint64 deadline = SDL_GetPerformanceCounter();
  for (;;) {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
      if (event.type == SDL_QUIT) {
        return;
      }
      if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        canvas.Lost();
      }
    }
    if (canvas.Stale()) {
      canvas.Renew();
    }
    SDL_Surface& surface = canvas.Surface();
    zentor::Pixels(surface).Fill({0, 0, surface.w, surface.h}, kGrey);
    canvas.ShowAll();
    deadline += interval;
    const Uint64 now = SDL_GetPerformanceCounter();
    if (now >= deadline) {
      deadline = now;
    } else {
      SDL_Delay(static_cast<Uint32>((deadline - now) * 1000 / ticksPerSecond));
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 1) {
    std::fprintf(stderr, "usage: %s (no arguments)\n", argv[0]);
    return 2;
  }
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "zentor-floor: cannot open a window: %s\n", SDL_GetError());
    return 1;
  }
  zentor::WindowCanvas::ChooseShowing();
  SDL_Window* window =
      SDL_CreateWindow("zentor-floor", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWidth,
                       kHeight, SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
  int status = 0;
  if (window == nullptr) {
    std::fprintf(stderr, "zentor-floor: cannot open a window: %s\n", SDL_GetError());
    status = 1;
  } else {
    try {
      ShowFrames(window);
    } catch (const std::runtime_error& error) {
      std::fprintf(stderr, "zentor-floor: %s\n", error.what());
      status = 1;
    }
    SDL_DestroyWindow(window);
  }
  SDL_Quit();
  return status;
}
