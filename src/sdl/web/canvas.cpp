// The window's pixels in a page. The canvas element is the window: the page gives it its CSS size
// (the whole browser window), and its own pixels are the device's, that size times
// devicePixelRatio, so the picture is as sharp as the screen. The surface drawn into has that size
// and the canvas's byte order (red, green, blue, alpha; the pixel painter writes alpha opaque),
// so that each changed area goes from the module's memory into the canvas by one putImageData,
// with no copy or conversion of ours. SDL's own window surface would instead be sized in CSS
// pixels, which a denser screen stretches, and copied whole into the canvas every frame.
#include <emscripten.h>

#include <memory>
#include <new>
#include <stdexcept>
#include <string>

#include "picture/surface.h"
#include "sdl/canvas.h"

namespace zentor {
namespace {

// Bytes red, green, blue, alpha in memory, as a canvas's ImageData holds them.
constexpr Uint32 kFormat = SDL_PIXELFORMAT_ABGR8888;

// The JavaScript below is kept as written: clang-format would space it as C++.
// clang-format off

// The size in device pixels that the canvas should have now: its CSS size times the device pixel
// ratio, which changes with the browser window's size, its zoom and the screen it is on.
EM_JS(void, CanvasWanted, (int* width, int* height), {
  const box = Module['canvas'].getBoundingClientRect();
  const ratio = window.devicePixelRatio || 1;
  HEAP32[width >> 2] = Math.max(1, Math.round(box.width * ratio));
  HEAP32[height >> 2] = Math.max(1, Math.round(box.height * ratio));
});

// Whether the canvas has this many pixels. SDL sizes it too when the browser window changes size.
EM_JS(int, CanvasHas, (int width, int height), {
  const canvas = Module['canvas'];
  return canvas.width === width && canvas.height === height;
});

// Gives the canvas this many pixels, which clears it.
EM_JS(void, SizeCanvas, (int width, int height), {
  const canvas = Module['canvas'];
  canvas.width = width;
  canvas.height = height;
});

// Puts an area of the surface into the canvas at the same place. The surface is `width` x
// `height` pixels at `pixels`, its rows without gaps (SDL's rows of 4-byte pixels have none).
// The ImageData is a view of the module's memory, made again for another surface and when the
// memory has grown, which detaches the buffer under the old view.
EM_JS(void, PutArea, (const void* pixels, int width, int height, int x, int y, int w, int h), {
  let shown = Module['zentorShown'];
  if (!shown || shown.pixels !== pixels || shown.image.width !== width ||
      shown.image.height !== height || shown.image.data.buffer !== HEAPU8.buffer) {
    const view = new Uint8ClampedArray(HEAPU8.buffer, pixels, width * height * 4);
    shown = Module['zentorShown'] = {
      pixels: pixels,
      context: Module['canvas'].getContext('2d', {alpha: false}),
      image: new ImageData(view, width, height),
    };
  }
  shown.context.putImageData(shown.image, 0, 0, x, y, w, h);
});

// clang-format on

}  // namespace

// The surface's pixels are not cleared when it is made: the whole picture is drawn into it before
// it is shown, and clearing a surface of some million pixels would hold the page's thread.
struct WindowCanvas::Showing {
  std::unique_ptr<Uint32[]> pixels;
  SurfaceHandle surface;
  bool stale = true;
};

// A page shows its pixels one way.
void WindowCanvas::ChooseShowing() {}

WindowCanvas::WindowCanvas(SDL_Window*) : showing_(std::make_unique<Showing>()) {}

WindowCanvas::~WindowCanvas() = default;

void WindowCanvas::Lost() {
  showing_->stale = true;
}

bool WindowCanvas::Stale() const {
  const SurfaceHandle& surface = showing_->surface;
  if (showing_->stale || !surface) {
    return true;
  }
  int width = 0;
  int height = 0;
  CanvasWanted(&width, &height);
  return width != surface->w || height != surface->h || !CanvasHas(width, height);
}

void WindowCanvas::Renew() {
  int width = 0;
  int height = 0;
  CanvasWanted(&width, &height);
  SizeCanvas(width, height);
  showing_->surface.reset();
  showing_->pixels.reset(new (std::nothrow) Uint32[static_cast<size_t>(width) * height]);
  if (showing_->pixels) {
    showing_->surface.reset(SDL_CreateRGBSurfaceWithFormatFrom(showing_->pixels.get(), width,
                                                               height, 32, width * 4, kFormat));
  } else {
    SDL_OutOfMemory();
  }
  if (!showing_->surface) {
    throw std::runtime_error(std::string("cannot draw in the window: ") + SDL_GetError());
  }
  showing_->stale = false;
}

SDL_Surface& WindowCanvas::Surface() const {
  return *showing_->surface;
}

void WindowCanvas::Show(std::span<const SDL_Rect> areas) {
  if (Stale()) {
    return;
  }
  const SDL_Surface& surface = *showing_->surface;
  for (const SDL_Rect& area : areas) {
    PutArea(surface.pixels, surface.w, surface.h, area.x, area.y, area.w, area.h);
  }
}

void WindowCanvas::ShowAll() {
  if (Stale()) {
    return;
  }
  const SDL_Surface& surface = *showing_->surface;
  PutArea(surface.pixels, surface.w, surface.h, 0, 0, surface.w, surface.h);
}

}  // namespace zentor
