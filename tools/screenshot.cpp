// The screenshot command's pictures: the window's drawing code on an offscreen surface. The web
// build writes no PNG files, and there the command says pictures are not available.
#include "tools/screenshot.h"

#ifndef __EMSCRIPTEN__
#include <memory>
#include <stdexcept>

#include "picture/offscreen.h"
#endif

namespace zentor {

ScreenshotWriter ScreenshotWriterOrEmpty() {
#ifdef __EMSCRIPTEN__
  return {};
#else
  // Made at the first screenshot, so that scripts without one need no font.
  auto picture = std::make_shared<std::unique_ptr<OffscreenPicture> >();
  return [picture](const Form& form, const std::string& path) {
    if (!*picture) {
      try {
        *picture = std::make_unique<OffscreenPicture>();
      } catch (const std::runtime_error& error) {
        throw std::runtime_error("cannot write " + path + ": " + error.what());
      }
    }
    (*picture)->Draw(form);
    (*picture)->SavePng(path);
  };
#endif
}

}  // namespace zentor
