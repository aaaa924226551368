// The labels' face in a page: the one font file the site ships, Zentor Sans (Liberation Sans cut
// down to the characters the game draws, web/subset-font.py), which the page puts into the
// module's file system before the game starts (web/page.js).
#include <SDL.h>
#include <unistd.h>

#include "picture/font_file.h"

namespace zentor {
namespace {

constexpr const char* kShippedFont = "/fonts/ZentorSans-Regular.ttf";

// The site's one font file, read at the first font's opening and kept while the program runs:
// its fonts read from it. FreeType reads a face in many small pieces as it loads each glyph, and
// every read of a module's file is a call out to the page's script; from memory they are copies,
// and the first picture's text is drawn in a fraction of the time.
struct FontBytes {
  void* bytes = nullptr;
  size_t size = 0;
};

FontBytes LoadedFont(const std::string& file) {
  static const FontBytes loaded = [&file] {
    FontBytes read;
    read.bytes = SDL_LoadFile(file.c_str(), &read.size);
    return read;
  }();
  return loaded;
}

}  // namespace

std::optional<std::string> FindLabelFontFile() {
  if (access(kShippedFont, R_OK) != 0) {
    return std::nullopt;
  }
  return kShippedFont;
}

TTF_Font* OpenLabelFont(const std::string& file, int pixels) {
  const FontBytes font = LoadedFont(file);
  if (!font.bytes) {
    // SDL_ttf says why the file cannot be opened.
    return TTF_OpenFont(file.c_str(), pixels);
  }
  SDL_RWops* memory = SDL_RWFromConstMem(font.bytes, static_cast<int>(font.size));
  constexpr int kFreeReader = 1;  // SDL_ttf frees the reader with the font
  return memory ? TTF_OpenFontRW(memory, kFreeReader, pixels) : nullptr;
}

}  // namespace zentor
