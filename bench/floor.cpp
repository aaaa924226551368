// zentor-floor: the least a window of the game's size costs on this machine. It opens an SDL
// window of 992 x 821 with the renderer the game asks for (accelerated and in step with the
// display, else the software renderer), then only clears and presents it 40 times a second
// until it is closed or killed. bench/compare-floor measures the game against it.
#include <SDL.h>

#include <cstdio>

namespace {

constexpr int kWidth = 992;
constexpr int kHeight = 821;
constexpr Uint64 kFramesPerSecond = 40;

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
  SDL_Window* window =
      SDL_CreateWindow("zentor-floor", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWidth,
                       kHeight, SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
  SDL_Renderer* renderer =
      window == nullptr
          ? nullptr
          : SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
  if (window != nullptr && renderer == nullptr) {
    renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
  }
  if (renderer == nullptr) {
    std::fprintf(stderr, "zentor-floor: cannot draw in a window: %s\n", SDL_GetError());
    SDL_Quit();
    return 1;
  }
  // Frames on a schedule of deadlines, so that a slow frame does not shift the ones after it.
  const Uint64 ticksPerSecond = SDL_GetPerformanceFrequency();
  const Uint64 interval = ticksPerSecond / kFramesPerSecond;
  Uint64 deadline = SDL_GetPerformanceCounter();
  for (;;) {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
      if (event.type == SDL_QUIT) {
        SDL_DestroyRenderer(renderer);
        SDL_DestroyWindow(window);
        SDL_Quit();
        return 0;
      }
    }
    SDL_SetRenderDrawColor(renderer, 0x80, 0x80, 0x80, 0xff);
    SDL_RenderClear(renderer);
    SDL_RenderPresent(renderer);
    deadline += interval;
    const Uint64 now = SDL_GetPerformanceCounter();
    if (now >= deadline) {
      deadline = now;
    } else {
      SDL_Delay(static_cast<Uint32>((deadline - now) * 1000 / ticksPerSecond));
    }
  }
}
