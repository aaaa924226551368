#include "sdl/draw.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <utility>

#include "playfield/layout.h"
#include "sdl/pixels.h"

namespace zentor {
namespace {

// The push buttons in the standard scheme: face, edges and their lit and shaded sides.
constexpr Colour kButtonFace = 0x00C0C0C0;
constexpr Colour kButtonHoverFace = 0x00D8D8D8;
constexpr Colour kButtonHighlight = 0x00FFFFFF;
constexpr Colour kButtonLight = 0x00DFDFDF;
constexpr Colour kButtonShadow = 0x00808080;
constexpr Colour kButtonDarkShadow = 0x00000000;
constexpr Colour kBars = 0x00000000;
// An oval image is never larger than this on a side; a larger oval is drawn stretched.
constexpr int kMaxOvalSide = 1024;

// Whether the wrapping renderer would find no place to break the caption: only letters,
// digits and signs, no blank and no line break.
bool Unbroken(std::string_view caption) {
  return std::all_of(caption.begin(), caption.end(), [](char c) { return c > ' ' && c < 0x7F; });
}

// The caption as the wrapping renderer draws it, at most `wrapWidth` wide. A caption with no place
// to break that fits on one line, such as the score each tick, is drawn by the single-line
// renderer, which lays its glyphs out once instead of measuring them first, and set where the
// wrapping renderer sets a line: the same pixels in less time.
SurfaceHandle RenderCaption(TTF_Font* font, const std::string& caption, SDL_Color colour,
                            int wrapWidth, bool centred) {
  if (Unbroken(caption)) {
    SurfaceHandle line(TTF_RenderUTF8_Blended(font, caption.c_str(), colour));
    const int lineHeight = TTF_FontLineSkip(font);
    if (line && line->w <= wrapWidth && line->h <= lineHeight) {
      // The wrapping renderer gives a centred line the whole width, halving it and the line's
      // width each rounded down to place it; a line on the left keeps its own width.
      SurfaceHandle framed(SDL_CreateRGBSurfaceWithFormat(0, centred ? wrapWidth : line->w,
                                                          lineHeight, 32, line->format->format));
      SDL_Rect at{centred ? wrapWidth / 2 - line->w / 2 : 0, 0, line->w, line->h};
      if (framed && SDL_SetSurfaceBlendMode(line.get(), SDL_BLENDMODE_NONE) == 0 &&
          SDL_BlitSurface(line.get(), nullptr, framed.get(), &at) == 0) {
        return framed;
      }
    }
  }
  TTF_SetFontWrappedAlign(font, centred ? TTF_WRAPPED_ALIGN_CENTER : TTF_WRAPPED_ALIGN_LEFT);
  return SurfaceHandle(TTF_RenderUTF8_Blended_Wrapped(font, caption.c_str(), colour,
                                                      static_cast<Uint32>(wrapWidth)));
}

SDL_Color ToSdl(Colour c) {
  return {Red(c), Green(c), Blue(c), 0xFF};
}

SDL_Rect Inset(const SDL_Rect& r, int by) {
  return {r.x + by, r.y + by, std::max(r.w - 2 * by, 0), std::max(r.h - 2 * by, 0)};
}

// Edges of `stroke` pixels inside the rectangle: the top and left in one colour, the bottom and
// right, drawn over them at the corners, in another.
void Edges(Pixels& pixels, const SDL_Rect& r, int stroke, Colour topLeft, Colour bottomRight) {
  if (r.w <= 2 * stroke || r.h <= 2 * stroke) {
    pixels.Fill(r, bottomRight);
    return;
  }
  pixels.Fill({r.x, r.y, r.w, stroke}, topLeft);
  pixels.Fill({r.x, r.y, stroke, r.h}, topLeft);
  pixels.Fill({r.x, r.y + r.h - stroke, r.w, stroke}, bottomRight);
  pixels.Fill({r.x + r.w - stroke, r.y, stroke, r.h}, bottomRight);
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

class Painter {
 public:
  // Draws within the clip of `pixels`, a part of the picture.
  Painter(Pixels& pixels, const Form& form, const Viewport& viewport, DrawCache& cache,
          const ButtonLook& look)
      : pixels_(pixels),
        clip_(pixels.ClipRect()),
        form_(form),
        viewport_(viewport),
        cache_(cache),
        look_(look) {}

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
    Edges(pixels_, *rect, viewport_.Stroke(), kWindowTextColour, kWindowTextColour);
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
        return SDL_Point{static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y))};
      };
      pixels_.Line(point(from), point(to), kWindowTextColour);
      return;
    }
    ThickLine(from, to, stroke);
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
    const bool centred = label.Align == Alignment::Centre;
    const Image* text =
        cache_.TextImage(row_, label.Caption, viewport_.FontPixels(label.TextFont.Size),
                         label.ForeColor, rect->w, centred);
    const int x = centred && text ? rect->x + (rect->w - text->Width()) / 2 : rect->x;
    DrawText(text, x, rect->y, *rect);
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
    pixels_.Fill(*rect, hover && !pushed ? kButtonHoverFace : kButtonFace);
    if (pushed) {
      Edges(pixels_, *rect, stroke, kButtonDarkShadow, kButtonHighlight);
      Edges(pixels_, Inset(*rect, stroke), stroke, kButtonShadow, kButtonLight);
    } else {
      Edges(pixels_, *rect, stroke, kButtonHighlight, kButtonDarkShadow);
      Edges(pixels_, Inset(*rect, stroke), stroke, kButtonLight, kButtonShadow);
    }
    const SDL_Rect inside = Inset(*rect, 2 * stroke);
    if (look_.focus == id) {
      FocusFrame(Inset(*rect, 4 * stroke), stroke);
    }
    const Image* text =
        cache_.TextImage(row_, button.Caption, viewport_.FontPixels(button.TextFont.Size),
                         kButtonTextColour, std::max(inside.w - 4 * stroke, 1), true);
    if (!text) {
      return;
    }
    const int shift = pushed ? stroke : 0;
    DrawText(text, rect->x + (rect->w - text->Width()) / 2 + shift,
             rect->y + (rect->h - text->Height()) / 2 + shift, inside);
  }

  void operator()(const Timer&) {}

  // The layout row of the controls drawn next, whose images the cache keeps.
  void Row(size_t row) { row_ = row; }

 private:
  // Text clipped to a rectangle as well as to the painter's clip.
  void DrawText(const Image* text, int x, int y, const SDL_Rect& clip) {
    SDL_Rect visible;
    if (!text || !SDL_IntersectRect(&clip, &clip_, &visible)) {
      return;
    }
    pixels_.Clip(visible);
    pixels_.Blend(*text, {x, y, text->Width(), text->Height()});
    pixels_.Clip(clip_);
  }

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

  // The dotted frame of the button that has the keyboard focus.
  void FocusFrame(const SDL_Rect& r, int stroke) {
    for (int x = r.x; x < r.x + r.w; x += 2 * stroke) {
      pixels_.Fill({x, r.y, stroke, stroke}, kButtonTextColour);
      pixels_.Fill({x, r.y + r.h - stroke, stroke, stroke}, kButtonTextColour);
    }
    for (int y = r.y; y < r.y + r.h; y += 2 * stroke) {
      pixels_.Fill({r.x, y, stroke, stroke}, kButtonTextColour);
      pixels_.Fill({r.x + r.w - stroke, y, stroke, stroke}, kButtonTextColour);
    }
  }

  Pixels& pixels_;
  const SDL_Rect clip_;
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
  fonts_.emplace(kProbePixels, probe);
}

DrawCache::~DrawCache() {
  for (auto& [pixels, font] : fonts_) {
    TTF_CloseFont(font);
  }
  TTF_Quit();
}

size_t DrawCache::TextCount() const {
  return static_cast<size_t>(std::count_if(texts_.begin(), texts_.end(),
                                           [](const auto& text) { return text.has_value(); }));
}

TTF_Font* DrawCache::FontOf(int pixels) {
  auto found = fonts_.find(pixels);
  if (found == fonts_.end()) {
    TTF_Font* font = TTF_OpenFont(fontFile_.c_str(), pixels);
    if (!font) {
      return nullptr;
    }
    found = fonts_.emplace(pixels, font).first;
  }
  return found->second;
}

void DrawCache::CloseUnusedFonts() {
  std::erase_if(fonts_, [&](const auto& entry) {
    const bool used = std::any_of(texts_.begin(), texts_.end(), [&](const auto& text) {
      return text && text->key.pixels == entry.first;
    });
    if (!used) {
      TTF_CloseFont(entry.second);
    }
    return !used;
  });
}

const Image* DrawCache::TextImage(size_t row, std::string_view caption, int pixels, Colour colour,
                                  int wrapWidth, bool centred) {
  std::optional<Kept<TextKey>>& kept = texts_.at(row);
  // Compared field by field, so that a frame that finds its text kept copies no caption.
  if (kept && kept->key.caption == caption && kept->key.pixels == pixels &&
      kept->key.colour == colour && kept->key.wrapWidth == wrapWidth &&
      kept->key.centred == centred) {
    return &kept->image;
  }
  kept.reset();
  TTF_Font* font = caption.empty() ? nullptr : FontOf(pixels);
  TextKey key{std::string(caption), pixels, colour, wrapWidth, centred};
  std::optional<Image> text;
  if (font) {
    text = Image::From(RenderCaption(font, key.caption, ToSdl(colour), wrapWidth, centred));
  }
  if (text) {
    ++textRasterised_;
    kept.emplace(Kept<TextKey>{std::move(key), std::move(*text)});
  }
  // The font of a size still shown stays open, ready for the next caption.
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
