#include "picture/offscreen.h"

#include <SDL_image.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "picture/font_file.h"
#include "system/files.h"

namespace zentor {

OffscreenPicture::OffscreenPicture(int width, int height)
    : viewport_(Viewport::Fit(width, height)) {
  const auto font = FindLabelFontFile();
  if (!font) {
    throw std::runtime_error(kNoFontSentence);
  }
  surface_.reset(SDL_CreateRGBSurfaceWithFormat(0, viewport_.outputWidth, viewport_.outputHeight,
                                                32, SDL_PIXELFORMAT_RGB888));
  if (!surface_) {
    throw std::runtime_error(std::string("cannot make an offscreen picture: ") + SDL_GetError());
  }
  cache_ = std::make_unique<DrawCache>(*font);
}

void OffscreenPicture::Draw(const Form& form, const ButtonLook& buttons) {
  DrawForm(*surface_, form, viewport_, *cache_, buttons);
  damage_.All();
}

Redraw OffscreenPicture::DrawChanges(const Form& form, const ButtonLook& buttons) {
  return zentor::DrawChanges(*surface_, form, viewport_, *cache_, buttons, damage_);
}

void OffscreenPicture::SavePng(const std::string& path) const {
  const auto fail = [&](const std::string& reason) {
    return std::runtime_error("cannot write " + path + ": " + reason);
  };
  std::FILE* file = OpenFile(path, "wb");
  if (!file) {
    throw fail(std::strerror(errno));
  }
  SDL_RWops* stream = SDL_RWFromFP(file, SDL_FALSE);
  const bool encoded = stream && IMG_SavePNG_RW(surface_.get(), stream, 1) == 0;
  const std::string reason = encoded ? "" : SDL_GetError();
  const bool written = std::fflush(file) == 0 && !std::ferror(file);
  const int writeError = errno;
  const bool closed = std::fclose(file) == 0;
  if (!encoded) {
    throw fail(reason);
  }
  if (!written || !closed) {
    throw fail(std::strerror(written ? errno : writeError));
  }
}

}  // namespace zentor
