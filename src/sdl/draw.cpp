#include "sdl/draw.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "playfield/layout.h"
#include "sdl/pixels.h"

namespace zentor {
namespace {

constexpr Colour kBars = 0x00000000;
// An oval image is never larger than this on a side; a larger oval is drawn stretched.
constexpr int kMaxOvalSide = 1024;
// A push button's caption keeps this many strokes from its outer edge on each side: two of
// bevel, two of room.
constexpr int kButtonCaptionInset = 4;
constexpr int kButtonBevel = 2;
constexpr const char* kBlanks = " \t";

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

// The signed distance in pixels from a point (relative to the centre) to the ellipse with
// semi-axes a and b, negative inside; first-order, which is exact for circles.
double EllipseDistance(double u, double v, double a, double b) {
  if (a <= 0 || b <= 0) {
    return std::hypot(u, v);
  }
  const double f = std::hypot(u / a, v / b);
  const double gradient = std::hypot(u / (a * a), v / (b * b));
  if (f == 0 || gradient == 0) {
    return -std::min(a, b);
  }
  return (f - 1) * f / gradient;
}

double Coverage(double distance) {
  return std::clamp(0.5 - distance, 0.0, 1.0);
}

// A control's width or height in pixels at scale 1, where its caption's lines break.
int DesignPixels(float twips) {
  constexpr double kMost = 1 << 20;
  return static_cast<int>(
      std::lround(std::clamp(static_cast<double>(twips) / kTwipsPerPixel, 1.0, kMost)));
}

// The dotted frame of the button that has the keyboard focus.
void FocusFrame(Pixels& pixels, const SDL_Rect& r, int stroke) {
  for (int x = r.x; x < r.x + r.w; x += 2 * stroke) {
    pixels.Fill({x, r.y, stroke, stroke}, kButtonTextColour);
    pixels.Fill({x, r.y + r.h - stroke, stroke, stroke}, kButtonTextColour);
  }
  for (int y = r.y; y < r.y + r.h; y += 2 * stroke) {
    pixels.Fill({r.x, y, stroke, stroke}, kButtonTextColour);
    pixels.Fill({r.x + r.w - stroke, y, stroke, stroke}, kButtonTextColour);
  }
}

class Painter {
 public:
  // Draws within the clip of `pixels`, a part of the picture.
  Painter(Pixels& pixels, const Form& form, const Viewport& viewport, DrawCache& cache,
          const ButtonLook& look)
      : pixels_(pixels), form_(form), viewport_(viewport), cache_(cache), look_(look) {}

  void operator()(const Shape& shape) {
    if (!shape.Visible) {
      return;
    }
    const auto rect = viewport_.PixelRect(shape.Left, shape.Top, shape.Width, shape.Height);
    if (!rect) {
      return;
    }
    if (shape.Kind == ShapeKind::Oval) {
      if (const Image* oval = cache_.OvalImage(row_, rect->w, rect->h, viewport_.Stroke(),
                                               shape.Fill, shape.FillColor)) {
        pixels_.Blend(*oval, *rect);
      }
      return;
    }
    if (shape.Fill == FillStyle::Solid) {
      pixels_.Fill(*rect, shape.FillColor);
    }
    DrawEdges(pixels_, *rect, viewport_.Stroke(), kWindowTextColour, kWindowTextColour);
  }

  void operator()(const Line& line) {
    if (!line.Visible) {
      return;
    }
    const auto ends = viewport_.PixelLine(line.X1, line.Y1, line.X2, line.Y2);
    if (!ends) {
      return;
    }
    const auto [from, to] = *ends;
    const int stroke = viewport_.Stroke();
    if (stroke == 1) {
      const auto point = [](SDL_FPoint p) {
        return SDL_Point{static_cast<int>(p.x), static_cast<int>(p.y)};
      };
      pixels_.Line(point(from), point(to), kWindowTextColour);
      return;
    }
    // Through the middle of the squares that the end pixels become.
    const float half = static_cast<float>(stroke) / 2;
    ThickLine({from.x + half, from.y + half}, {to.x + half, to.y + half}, stroke);
  }

  void operator()(const Label& label) {
    if (!label.Visible) {
      return;
    }
    const auto rect = viewport_.PixelRect(label.Left, label.Top, label.Width, label.Height);
    if (!rect) {
      return;
    }
    if (label.Back == BackStyle::Opaque) {
      pixels_.Fill(*rect, label.BackColor);
    }
    const TextSetting setting{
        label.TextFont.Size, DesignPixels(label.Width),       rect->w, rect->h,
        viewport_.scale,     label.Align == Alignment::Centre};
    DrawClipped(pixels_, cache_.TextImage(row_, label.Caption, label.ForeColor, setting), rect->x,
                rect->y, *rect);
  }

  void operator()(const CommandButton& button) {
    const ButtonId id = &button == &form_.Restart ? ButtonId::Restart : ButtonId::endgame;
    if (!button.Visible) {
      return;
    }
    const auto rect = viewport_.PixelRect(button.Left, button.Top, button.Width, button.Height);
    if (!rect) {
      return;
    }
    const int stroke = viewport_.Stroke();
    const bool hover = look_.hover == id;
    const bool pushed = hover && look_.pressed == id;
    DrawButtonFace(pixels_, *rect, stroke, hover, pushed, look_.focus == id);
    const SDL_Rect inside = Inset(*rect, kButtonBevel * stroke);
    const TextSetting setting{button.TextFont.Size,
                              std::max(DesignPixels(button.Width) - 2 * kButtonCaptionInset, 1),
                              std::max(rect->w - 2 * kButtonCaptionInset * stroke, 1),
                              inside.h,
                              viewport_.scale,
                              true};
    const Image* text = cache_.TextImage(row_, button.Caption, kButtonTextColour, setting);
    if (!text) {
      return;
    }
    const int shift = pushed ? stroke : 0;
    DrawClipped(pixels_, text, rect->x + (rect->w - text->Width()) / 2 + shift,
                rect->y + (rect->h - text->Height()) / 2 + shift, inside);
  }

  void operator()(const Timer&) {}

  // The layout row of the controls drawn next, whose images the cache keeps.
  void Row(size_t row) { row_ = row; }

 private:
  // A line `stroke` pixels wide with square ends.
  void ThickLine(SDL_FPoint from, SDL_FPoint to, int stroke) {
    const float dx = to.x - from.x;
    const float dy = to.y - from.y;
    const float length = std::hypot(dx, dy);
    const float half = static_cast<float>(stroke) / 2;
    const float ux = length > 0 ? dx / length * half : half;
    const float uy = length > 0 ? dy / length * half : 0;
    pixels_.Quad(
        {SDL_FPoint{from.x - ux - uy, from.y - uy + ux},
         SDL_FPoint{from.x - ux + uy, from.y - uy - ux}, SDL_FPoint{to.x + ux + uy, to.y + uy - ux},
         SDL_FPoint{to.x + ux - uy, to.y + uy + ux}},
        kWindowTextColour);
  }

  Pixels& pixels_;
  const Form& form_;
  const Viewport& viewport_;
  DrawCache& cache_;
  const ButtonLook& look_;
  size_t row_ = 0;
};

// The pixels a control may touch when drawn: its rectangle, or for a line the box around its
// ends widened by the stroke, which a thick line's square ends reach into.
class Reach {
 public:
  explicit Reach(const Viewport& viewport) : viewport_(viewport) {}

  std::optional<SDL_Rect> operator()(const Shape& shape) const { return Boxed(shape); }
  std::optional<SDL_Rect> operator()(const Label& label) const { return Boxed(label); }
  std::optional<SDL_Rect> operator()(const CommandButton& button) const { return Boxed(button); }
  std::optional<SDL_Rect> operator()(const Timer&) const { return std::nullopt; }

  std::optional<SDL_Rect> operator()(const Line& line) const {
    if (!line.Visible) {
      return std::nullopt;
    }
    const auto ends = viewport_.PixelLine(line.X1, line.Y1, line.X2, line.Y2);
    if (!ends) {
      return std::nullopt;
    }
    const auto [from, to] = *ends;
    const int stroke = viewport_.Stroke();
    const int left = static_cast<int>(std::floor(std::min(from.x, to.x))) - stroke;
    const int top = static_cast<int>(std::floor(std::min(from.y, to.y))) - stroke;
    const int right = static_cast<int>(std::ceil(std::max(from.x, to.x))) + stroke + 1;
    const int bottom = static_cast<int>(std::ceil(std::max(from.y, to.y))) + stroke + 1;
    return InPicture({left, top, right - left, bottom - top});
  }

 private:
  template <class Control>
  std::optional<SDL_Rect> Boxed(const Control& control) const {
    if (!control.Visible) {
      return std::nullopt;
    }
    const auto rect = viewport_.PixelRect(control.Left, control.Top, control.Width, control.Height);
    return rect ? InPicture(*rect) : std::nullopt;
  }

  std::optional<SDL_Rect> InPicture(const SDL_Rect& rect) const {
    SDL_Rect inside;
    if (!SDL_IntersectRect(&rect, &viewport_.picture, &inside)) {
      return std::nullopt;
    }
    return inside;
  }

  const Viewport& viewport_;
};

// Where the control of each layout row may draw, as the form stands: found once a frame, for
// all the areas drawn in it.
using Reaches = std::array<std::optional<SDL_Rect>, kLayoutRows>;

Reaches ReachesOf(const Form& form, const Viewport& viewport) {
  Reaches reaches;
  const Reach reach(viewport);
  for (size_t row = 0; row < StartingLayout.size(); ++row) {
    reaches[row] = WithControl(form, StartingLayout[row], reach);
  }
  return reaches;
}

// Every shown control within `clip`, from the bottom of the stacking order up. The buttons,
// windows of their own above every drawn control, are the layout's first rows and so come last.
void PaintControls(Pixels& pixels, const Form& form, const Viewport& viewport, DrawCache& cache,
                   const ButtonLook& buttons, const Reaches& reaches, const SDL_Rect& clip) {
  pixels.Clip(clip);
  Painter painter(pixels, form, viewport, cache, buttons);
  for (size_t row = StartingLayout.size(); row-- > 0;) {
    const std::optional<SDL_Rect>& area = reaches[row];
    if (area && SDL_HasIntersection(&*area, &clip)) {
      painter.Row(row);
      WithControl(form, StartingLayout[row], painter);
    }
  }
}

}  // namespace

SDL_Rect Inset(const SDL_Rect& r, int by) {
  return {r.x + by, r.y + by, std::max(r.w - 2 * by, 0), std::max(r.h - 2 * by, 0)};
}

void DrawEdges(Pixels& pixels, const SDL_Rect& r, int stroke, Colour topLeft, Colour bottomRight) {
  if (r.w <= 2 * stroke || r.h <= 2 * stroke) {
    pixels.Fill(r, bottomRight);
    return;
  }
  pixels.Fill({r.x, r.y, r.w, stroke}, topLeft);
  pixels.Fill({r.x, r.y, stroke, r.h}, topLeft);
  pixels.Fill({r.x, r.y + r.h - stroke, r.w, stroke}, bottomRight);
  pixels.Fill({r.x + r.w - stroke, r.y, stroke, r.h}, bottomRight);
}

void DrawButtonFace(Pixels& pixels, const SDL_Rect& rect, int stroke, bool hover, bool pushed,
                    bool focus) {
  pixels.Fill(rect, hover && !pushed ? kButtonHoverFace : kButtonFace);
  if (pushed) {
    DrawEdges(pixels, rect, stroke, kButtonDarkShadow, kButtonHighlight);
    DrawEdges(pixels, Inset(rect, stroke), stroke, kButtonShadow, kButtonLight);
  } else {
    DrawEdges(pixels, rect, stroke, kButtonHighlight, kButtonDarkShadow);
    DrawEdges(pixels, Inset(rect, stroke), stroke, kButtonLight, kButtonShadow);
  }
  if (focus) {
    FocusFrame(pixels, Inset(rect, kButtonCaptionInset * stroke), stroke);
  }
}

void DrawClipped(Pixels& pixels, const Image* image, int x, int y, const SDL_Rect& clip) {
  const SDL_Rect outer = pixels.ClipRect();
  SDL_Rect visible;
  if (!image || !SDL_IntersectRect(&clip, &outer, &visible)) {
    return;
  }
  pixels.Clip(visible);
  pixels.Blend(*image, {x, y, image->Width(), image->Height()});
  pixels.Clip(outer);
}

DrawCache::DrawCache(std::string fontFile) : fontFile_(std::move(fontFile)) {
  if (TTF_Init() != 0) {
    throw std::runtime_error(std::string("cannot start the text renderer: ") + TTF_GetError());
  }
  constexpr int kProbePixels = 18;
  TTF_Font* probe = TTF_OpenFont(fontFile_.c_str(), kProbePixels);
  if (!probe) {
    const std::string reason = TTF_GetError();
    TTF_Quit();
    throw std::runtime_error("cannot open the font " + fontFile_ + ": " + reason);
  }
  fonts_.emplace(FontKey{kProbePixels, false}, probe);
}

DrawCache::~DrawCache() {
  for (auto& [key, font] : fonts_) {
    TTF_CloseFont(font);
  }
  TTF_Quit();
}

size_t DrawCache::TextCount() const {
  return static_cast<size_t>(std::count_if(texts_.begin(), texts_.end(),
                                           [](const auto& text) { return text.has_value(); }));
}

TTF_Font* DrawCache::FontOf(FontKey key) {
  auto found = fonts_.find(key);
  if (found == fonts_.end()) {
    TTF_Font* font = TTF_OpenFont(fontFile_.c_str(), key.pixels);
    if (!font) {
      return nullptr;
    }
    TTF_SetFontStyle(font, key.bold ? TTF_STYLE_BOLD : TTF_STYLE_NORMAL);
    found = fonts_.emplace(key, font).first;
  }
  return found->second;
}

void DrawCache::CloseUnusedFonts() {
  std::erase_if(fonts_, [&](const auto& entry) {
    const bool used = std::any_of(texts_.begin(), texts_.end(), [&](const auto& text) {
      return text && (text->key.drawn == entry.first || text->key.design == entry.first);
    });
    if (!used) {
      TTF_CloseFont(entry.second);
    }
    return !used;
  });
}

std::optional<Image> DrawCache::Rasterise(TextKey& key) {
  const TextSetting& setting = key.setting;
  key.design = {FontPixelsAt(setting.points, 1), setting.bold};
  key.drawn = {FontPixelsAt(setting.points, setting.scale), setting.bold};
  std::vector<std::string> lines{key.caption};
  int pitch = 0;
  if (!Unbroken(key.caption)) {
    TTF_Font* design = FontOf(key.design);
    if (!design) {
      return std::nullopt;
    }
    lines = BreakLines(design, key.caption, setting.designWidth);
    pitch = std::max(1, static_cast<int>(TTF_FontLineSkip(design) * setting.scale));
  }
  // The font's own size first; smaller only where rounding at this scale leaves a line too wide
  // or the lines too low for their room.
  for (;;) {
    TTF_Font* font = FontOf(key.drawn);
    if (!font) {
      return std::nullopt;
    }
    SetLines set = Set(font, lines, key.colour, setting.width, pitch, setting.centred);
    if (!set.image || key.drawn.pixels == 1 || Fits(set, setting)) {
      return std::move(set.image);
    }
    const int narrower = set.widest > setting.width ? key.drawn.pixels * setting.width / set.widest
                                                    : key.drawn.pixels;
    key.drawn.pixels = std::clamp(narrower, 1, key.drawn.pixels - 1);
  }
}

const Image* DrawCache::TextImage(size_t slot, std::string_view caption, Colour colour,
                                  const TextSetting& setting) {
  std::optional<Kept<TextKey>>& kept = texts_.at(slot);
  // Compared field by field, so that a frame that finds its text kept copies no caption.
  if (kept && kept->key.caption == caption && kept->key.colour == colour &&
      kept->key.setting == setting) {
    return &kept->image;
  }
  kept.reset();
  TextKey key{std::string(caption), colour, setting, {}, {}};
  std::optional<Image> text;
  if (!caption.empty()) {
    text = Rasterise(key);
  }
  if (text) {
    ++textRasterised_;
    kept.emplace(Kept<TextKey>{std::move(key), std::move(*text)});
  }
  // The fonts of a size still shown stay open, ready for the next caption.
  CloseUnusedFonts();
  return kept ? &kept->image : nullptr;
}

const Image* DrawCache::OvalImage(size_t row, int width, int height, int stroke, FillStyle fill,
                                  Colour fillColour) {
  std::optional<Kept<OvalKey>>& kept = ovals_.at(row);
  const OvalKey key{width, height, stroke, fill, fillColour};
  if (kept && kept->key == key) {
    return &kept->image;
  }
  kept.reset();
  const double shrink = std::min(1.0, static_cast<double>(kMaxOvalSide) / std::max(width, height));
  std::optional<Image> oval = Image::From(SurfaceHandle(MakeOvalSurface(
      std::max(1, static_cast<int>(width * shrink)), std::max(1, static_cast<int>(height * shrink)),
      std::max(1, static_cast<int>(std::lround(stroke * shrink))), fill, fillColour)));
  if (oval) {
    kept.emplace(Kept<OvalKey>{key, std::move(*oval)});
  }
  return kept ? &kept->image : nullptr;
}

SDL_Surface* MakeOvalSurface(int width, int height, int stroke, FillStyle fill, Colour fillColour) {
  SDL_Surface* surface =
      SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
  if (!surface) {
    return nullptr;
  }
  const double a = width / 2.0;
  const double b = height / 2.0;
  const double innerA = a - stroke;
  const double innerB = b - stroke;
  const bool solid = fill == FillStyle::Solid;
  for (int y = 0; y < height; ++y) {
    auto* row =
        reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
    for (int x = 0; x < width; ++x) {
      const double u = x + 0.5 - a;
      const double v = y + 0.5 - b;
      const double outer = Coverage(EllipseDistance(u, v, a, b));
      const double inner = innerA > 0 && innerB > 0
                               ? std::min(outer, Coverage(EllipseDistance(u, v, innerA, innerB)))
                               : 0.0;
      // Fill inside the inner edge, the border's black between the two edges.
      const double alpha = solid ? outer : outer - inner;
      const double fillShare = solid && outer > 0 ? inner / outer : 0.0;
      const auto channel = [&](uint8_t fillValue, uint8_t borderValue) {
        return static_cast<Uint8>(
            std::lround(fillValue * fillShare + borderValue * (1 - fillShare)));
      };
      row[x] = SDL_MapRGBA(surface->format, channel(Red(fillColour), Red(kWindowTextColour)),
                           channel(Green(fillColour), Green(kWindowTextColour)),
                           channel(Blue(fillColour), Blue(kWindowTextColour)),
                           static_cast<Uint8>(std::lround(alpha * 255)));
    }
  }
  return surface;
}

void DrawForm(SDL_Surface& target, const Form& form, const Viewport& viewport, DrawCache& cache,
              const ButtonLook& buttons) {
  Pixels pixels(target);
  const SDL_Rect output{0, 0, viewport.outputWidth, viewport.outputHeight};
  // The bars around a picture that does not fill the output; each pixel is filled once.
  pixels.Fill({0, 0, output.w, viewport.picture.y}, kBars);
  pixels.Fill({0, viewport.picture.y + viewport.picture.h, output.w, output.h}, kBars);
  pixels.Fill({0, viewport.picture.y, viewport.picture.x, viewport.picture.h}, kBars);
  pixels.Fill(
      {viewport.picture.x + viewport.picture.w, viewport.picture.y, output.w, viewport.picture.h},
      kBars);
  pixels.Fill(viewport.picture, form.BackColor);
  PaintControls(pixels, form, viewport, cache, buttons, ReachesOf(form, viewport),
                viewport.picture);
}

void DrawFormAreas(SDL_Surface& target, const Form& form, const Viewport& viewport,
                   DrawCache& cache, const ButtonLook& buttons, std::span<const SDL_Rect> areas) {
  Pixels pixels(target);
  const Reaches reaches = ReachesOf(form, viewport);
  for (const SDL_Rect& area : areas) {
    SDL_Rect clip;
    if (!SDL_IntersectRect(&area, &viewport.picture, &clip)) {
      continue;
    }
    pixels.Clip(clip);
    pixels.Fill(clip, form.BackColor);
    PaintControls(pixels, form, viewport, cache, buttons, reaches, clip);
  }
}

std::optional<SDL_Rect> DrawnArea(const Form& form, const LayoutRow& row,
                                  const Viewport& viewport) {
  return WithControl(form, row, Reach(viewport));
}

}  // namespace zentor
