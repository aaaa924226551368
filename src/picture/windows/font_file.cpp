// The labels' face on Windows: Zentor Sans (Liberation Sans cut down to the characters the game
// draws, web/subset-font.py), the page's font, built into the program (cmake/embed-font.cmake).
// Windows has no Liberation Sans, and its own faces draw other pixels than the Linux picture's.
#include <SDL.h>

#include <cstddef>

#include "picture/font_file.h"

namespace zentor {

extern const unsigned char kBuiltInFont[];
extern const std::size_t kBuiltInFontSize;

namespace {

constexpr const char* kBuiltInName = "Zentor Sans (built in)";

}  // namespace

std::optional<std::string> FindLabelFontFile() {
  return kBuiltInName;
}

TTF_Font* OpenLabelFont(const std::string&, int pixels) {
  SDL_RWops* bytes = SDL_RWFromConstMem(kBuiltInFont, static_cast<int>(kBuiltInFontSize));
  constexpr int kFreeBytes = 1;  // SDL_ttf frees the reader with the font
  return bytes ? TTF_OpenFontRW(bytes, kFreeBytes, pixels) : nullptr;
}

}  // namespace zentor
