// The labels' face in a page: the one font file the site ships, Zentor Sans (Liberation Sans cut
// down to the characters the game draws, web/subset-font.py), which the page puts into the
// module's file system before the game starts (web/page.js).
#include <unistd.h>

#include "picture/font_file.h"

namespace zentor {
namespace {

constexpr const char* kShippedFont = "/fonts/ZentorSans-Regular.ttf";

}  // namespace

std::optional<std::string> FindLabelFontFile() {
  if (access(kShippedFont, R_OK) != 0) {
    return std::nullopt;
  }
  return kShippedFont;
}

TTF_Font* OpenLabelFont(const std::string& file, int pixels) {
  return TTF_OpenFont(file.c_str(), pixels);
}

}  // namespace zentor
