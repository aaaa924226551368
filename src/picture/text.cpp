#include "picture/text.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "picture/surface.h"

namespace zentor {
namespace {

constexpr const char* kBlanks = " \t";
constexpr double kPointsPerInch = 72;
constexpr double kDotsPerInch = 96;

// Whether a caption has no place to break: only letters, digits and signs, no blank and no line
// break. It is one line, whatever its width.
bool Unbroken(std::string_view caption) {
  return std::all_of(caption.begin(), caption.end(), [](char c) { return c > ' ' && c < 0x7F; });
}

SDL_Color ToSdl(Colour c) {
  return {Red(c), Green(c), Blue(c), 0xFF};
}

int TextWidth(TTF_Font* font, const std::string& text) {
  int width = 0;
  int height = 0;
  return TTF_SizeUTF8(font, text.c_str(), &width, &height) == 0 ? width : 0;
}

// The caption's lines, `width` pixels wide at most in `font`: broken at line breaks and at the
// last blank that keeps the line within the width (the blanks there dropped). A word wider than
// the width stays whole on its own line, and the blanks that open a line of the caption stay.
std::vector<std::string> BreakLines(TTF_Font* font, std::string_view caption, int width) {
  std::vector<std::string> lines;
  size_t from = 0;
  while (from <= caption.size()) {
    const size_t breakAt = std::min(caption.find('\n', from), caption.size());
    std::string_view paragraph = caption.substr(from, breakAt - from);
    if (!paragraph.empty() && paragraph.back() == '\r') {
      paragraph.remove_suffix(1);
    }
    std::string line;
    size_t at = 0;
    while (at < paragraph.size()) {
      const size_t wordStart = paragraph.find_first_not_of(kBlanks, at);
      if (wordStart == std::string_view::npos) {
        break;
      }
      const size_t wordEnd =
          std::min(paragraph.find_first_of(kBlanks, wordStart), paragraph.size());
      std::string joined = line;
      joined.append(paragraph.substr(at, wordEnd - at));
      if (line.empty() || TextWidth(font, joined) <= width) {
        line = std::move(joined);
        at = wordEnd;
        continue;
      }
      lines.push_back(std::move(line));
      line.clear();
      at = wordStart;
    }
    lines.push_back(std::move(line));
    from = breakAt + 1;
  }
  return lines;
}

// Lays `line` over the image's pixels at (x, y), each pixel keeping the more opaque of the two:
// the lines are in one colour, and a line drawn closer than its font's height over the one above
// must not clear that line's descenders.
void Lay(SDL_Surface& image, const SDL_Surface& line, int x, int y) {
  for (int row = std::max(0, -y); row < line.h && y + row < image.h; ++row) {
    const auto* from =
        reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(line.pixels) + row * line.pitch);
    auto* to =
        reinterpret_cast<Uint32*>(static_cast<Uint8*>(image.pixels) + (y + row) * image.pitch);
    for (int column = std::max(0, -x); column < line.w && x + column < image.w; ++column) {
      if (from[column] >> 24 > to[x + column] >> 24) {
        to[x + column] = from[column];
      }
    }
  }
}

struct SetLines {
  std::optional<Image> image;
  int widest = 0;  // the widest line, in pixels
};

// The lines rasterised in `font`, each `pitch` pixels below the one before it, as wide as
// `width` when centred (each line halving it and its own width, rounded down, to find its place)
// and as the widest line otherwise, one line skip of the font below the last line's top.
SetLines Set(TTF_Font* font, const std::vector<std::string>& lines, Colour colour, int width,
             int pitch, bool centred) {
  SetLines set;
  std::vector<SurfaceHandle> rendered(lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].empty()) {
      continue;
    }
    rendered[i].reset(TTF_RenderUTF8_Blended(font, lines[i].c_str(), ToSdl(colour)));
    if (rendered[i] && rendered[i]->format->format != SDL_PIXELFORMAT_ARGB8888) {
      rendered[i].reset(SDL_ConvertSurfaceFormat(rendered[i].get(), SDL_PIXELFORMAT_ARGB8888, 0));
    }
    if (!rendered[i]) {
      return set;
    }
    set.widest = std::max(set.widest, rendered[i]->w);
  }
  const int lineCount = static_cast<int>(lines.size());
  SurfaceHandle image(SDL_CreateRGBSurfaceWithFormat(
      0, std::max(centred ? width : set.widest, 1),
      (lineCount - 1) * pitch + std::max(TTF_FontLineSkip(font), 1), 32, SDL_PIXELFORMAT_ARGB8888));
  if (!image) {
    return set;
  }
  for (int i = 0; i < lineCount; ++i) {
    if (const SurfaceHandle& line = rendered[static_cast<size_t>(i)]) {
      Lay(*image, *line, centred ? image->w / 2 - line->w / 2 : 0, i * pitch);
    }
  }
  set.image = Image::From(std::move(image));
  return set;
}

// Whether every line is within the width and the ink of all of them above the height's last
// row, which stays clear as it is at the design size, so that no line seems cut by its control.
bool Fits(const SetLines& set, const TextSetting& setting) {
  if (set.widest > setting.width) {
    return false;
  }
  for (int y = set.image->Height(); y-- > setting.height - 1;) {
    const Image::Row& row = set.image->RowAt(y);
    if (row.begin < row.end) {
      return false;
    }
  }
  return true;
}

}  // namespace

SetText SetCaption(Fonts& fonts, std::string_view caption, Colour colour,
                   const TextSetting& setting) {
  SetText text;
  text.design = {FontPixelsAt(setting.points, 1), setting.bold};
  text.drawn = {FontPixelsAt(setting.points, setting.scale), setting.bold};
  std::vector<std::string> lines{std::string(caption)};
  int pitch = 0;
  if (!Unbroken(caption)) {
    TTF_Font* design = fonts.At(text.design);
    if (!design) {
      return text;
    }
    lines = BreakLines(design, caption, setting.designWidth);
    pitch = std::max(1, static_cast<int>(TTF_FontLineSkip(design) * setting.scale));
  }
  // The font's own size first; smaller only where rounding at this scale leaves a line too wide
  // or the lines too low for their room.
  for (;;) {
    TTF_Font* font = fonts.At(text.drawn);
    if (!font) {
      return text;
    }
    SetLines set = Set(font, lines, colour, setting.width, pitch, setting.centred);
    if (!set.image || text.drawn.pixels == 1 || Fits(set, setting)) {
      text.image = std::move(set.image);
      return text;
    }
    const int narrower = set.widest > setting.width ? text.drawn.pixels * setting.width / set.widest
                                                    : text.drawn.pixels;
    text.drawn.pixels = std::clamp(narrower, 1, text.drawn.pixels - 1);
  }
}

int FontPixelsAt(double points, double scale) {
  return std::max(1, static_cast<int>(std::lround(points * kDotsPerInch / kPointsPerInch * scale)));
}

}  // namespace zentor
