#include "sdl/draw.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <utility>
#include <vector>

#include "playfield/layout.h"

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
// An oval texture is never larger than this on a side; a larger oval is drawn scaled up.
constexpr int kMaxOvalSide = 1024;

SDL_Color ToSdl(Colour c) {
  return {Red(c), Green(c), Blue(c), 0xFF};
}

void SetColour(SDL_Renderer* renderer, Colour c) {
  SDL_SetRenderDrawColor(renderer, Red(c), Green(c), Blue(c), 0xFF);
}

void Fill(SDL_Renderer* renderer, const SDL_Rect& rect, Colour c) {
  SetColour(renderer, c);
  SDL_RenderFillRect(renderer, &rect);
}

SDL_Rect Inset(const SDL_Rect& r, int by) {
  return {r.x + by, r.y + by, std::max(r.w - 2 * by, 0), std::max(r.h - 2 * by, 0)};
}

// Edges of `stroke` pixels inside the rectangle: the top and left in one colour, the bottom and
// right, drawn over them at the corners, in another.
void Edges(SDL_Renderer* renderer, const SDL_Rect& r, int stroke, Colour topLeft,
           Colour bottomRight) {
  if (r.w <= 2 * stroke || r.h <= 2 * stroke) {
    Fill(renderer, r, bottomRight);
    return;
  }
  Fill(renderer, {r.x, r.y, r.w, stroke}, topLeft);
  Fill(renderer, {r.x, r.y, stroke, r.h}, topLeft);
  Fill(renderer, {r.x, r.y + r.h - stroke, r.w, stroke}, bottomRight);
  Fill(renderer, {r.x + r.w - stroke, r.y, stroke, r.h}, bottomRight);
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
  Painter(SDL_Renderer* renderer, const Form& form, const Viewport& viewport, DrawCache& cache,
          const ButtonLook& look)
      : renderer_(renderer), form_(form), viewport_(viewport), cache_(cache), look_(look) {}

  void operator()(const Shape& shape) {
    if (!shape.Visible) {
      return;
    }
    const auto rect = viewport_.PixelRect(shape.Left, shape.Top, shape.Width, shape.Height);
    if (!rect) {
      return;
    }
    if (shape.Kind == ShapeKind::Oval) {
      SDL_Texture* oval = cache_.OvalTexture(renderer_, rect->w, rect->h, viewport_.Stroke(),
                                             shape.Fill, shape.FillColor);
      SDL_RenderCopy(renderer_, oval, nullptr, &*rect);
      return;
    }
    if (shape.Fill == FillStyle::Solid) {
      Fill(renderer_, *rect, shape.FillColor);
    }
    Edges(renderer_, *rect, viewport_.Stroke(), kWindowTextColour, kWindowTextColour);
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
      SetColour(renderer_, kWindowTextColour);
      SDL_RenderDrawLine(renderer_, static_cast<int>(std::lround(from.x)),
                         static_cast<int>(std::lround(from.y)), static_cast<int>(std::lround(to.x)),
                         static_cast<int>(std::lround(to.y)));
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
      Fill(renderer_, *rect, label.BackColor);
    }
    const bool centred = label.Align == Alignment::Centre;
    const DrawCache::Text text =
        cache_.TextTexture(renderer_, label.Caption, viewport_.FontPixels(label.TextFont.Size),
                           label.ForeColor, rect->w, centred);
    const int x = centred ? rect->x + (rect->w - text.width) / 2 : rect->x;
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
    Fill(renderer_, *rect, hover && !pushed ? kButtonHoverFace : kButtonFace);
    if (pushed) {
      Edges(renderer_, *rect, stroke, kButtonDarkShadow, kButtonHighlight);
      Edges(renderer_, Inset(*rect, stroke), stroke, kButtonShadow, kButtonLight);
    } else {
      Edges(renderer_, *rect, stroke, kButtonHighlight, kButtonDarkShadow);
      Edges(renderer_, Inset(*rect, stroke), stroke, kButtonLight, kButtonShadow);
    }
    const SDL_Rect inside = Inset(*rect, 2 * stroke);
    if (look_.focus == id) {
      FocusFrame(Inset(*rect, 4 * stroke), stroke);
    }
    const DrawCache::Text text =
        cache_.TextTexture(renderer_, button.Caption, viewport_.FontPixels(button.TextFont.Size),
                           kButtonTextColour, std::max(inside.w - 4 * stroke, 1), true);
    const int shift = pushed ? stroke : 0;
    DrawText(text, rect->x + (rect->w - text.width) / 2 + shift,
             rect->y + (rect->h - text.height) / 2 + shift, inside);
  }

  void operator()(const Timer&) {}

 private:
  // Text clipped to a rectangle, itself within the picture.
  void DrawText(const DrawCache::Text& text, int x, int y, const SDL_Rect& clip) {
    SDL_Rect visible;
    if (!text.texture || !SDL_IntersectRect(&clip, &viewport_.picture, &visible)) {
      return;
    }
    const SDL_Rect target{x, y, text.width, text.height};
    SDL_RenderSetClipRect(renderer_, &visible);
    SDL_RenderCopy(renderer_, text.texture, nullptr, &target);
    SDL_RenderSetClipRect(renderer_, &viewport_.picture);
  }

  // A line `stroke` pixels wide with square ends, as two triangles.
  void ThickLine(SDL_FPoint from, SDL_FPoint to, int stroke) {
    const float dx = to.x - from.x;
    const float dy = to.y - from.y;
    const float length = std::hypot(dx, dy);
    const float half = static_cast<float>(stroke) / 2;
    const float ux = length > 0 ? dx / length * half : half;
    const float uy = length > 0 ? dy / length * half : 0;
    const SDL_Color black = ToSdl(kWindowTextColour);
    const auto vertex = [&](float x, float y) { return SDL_Vertex{{x, y}, black, {0, 0}}; };
    const std::array<SDL_Vertex, 4> corners = {
        vertex(from.x - ux - uy, from.y - uy + ux), vertex(from.x - ux + uy, from.y - uy - ux),
        vertex(to.x + ux + uy, to.y + uy - ux), vertex(to.x + ux - uy, to.y + uy + ux)};
    const std::array<int, 6> triangles = {0, 1, 2, 0, 2, 3};
    SDL_RenderGeometry(renderer_, nullptr, corners.data(), static_cast<int>(corners.size()),
                       triangles.data(), static_cast<int>(triangles.size()));
  }

  // The dotted frame of the button that has the keyboard focus.
  void FocusFrame(const SDL_Rect& r, int stroke) {
    std::vector<SDL_Rect> dots;
    for (int x = r.x; x < r.x + r.w; x += 2 * stroke) {
      dots.push_back({x, r.y, stroke, stroke});
      dots.push_back({x, r.y + r.h - stroke, stroke, stroke});
    }
    for (int y = r.y; y < r.y + r.h; y += 2 * stroke) {
      dots.push_back({r.x, y, stroke, stroke});
      dots.push_back({r.x + r.w - stroke, y, stroke, stroke});
    }
    SetColour(renderer_, kButtonTextColour);
    SDL_RenderFillRects(renderer_, dots.data(), static_cast<int>(dots.size()));
  }

  SDL_Renderer* renderer_;
  const Form& form_;
  const Viewport& viewport_;
  DrawCache& cache_;
  const ButtonLook& look_;
};

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
  fonts_.emplace(kProbePixels, Kept<TTF_Font*>{probe, frame_});
}

DrawCache::~DrawCache() {
  Clear();
  for (auto& [pixels, font] : fonts_) {
    TTF_CloseFont(font.value);
  }
  TTF_Quit();
}

void DrawCache::Clear() {
  for (auto& [key, text] : texts_) {
    SDL_DestroyTexture(text.value.texture);
  }
  texts_.clear();
  for (auto& [key, oval] : ovals_) {
    SDL_DestroyTexture(oval.value);
  }
  ovals_.clear();
}

void DrawCache::EndFrame() {
  std::erase_if(texts_, [&](auto& entry) {
    if (entry.second.frame == frame_) {
      return false;
    }
    SDL_DestroyTexture(entry.second.value.texture);
    return true;
  });
  std::erase_if(ovals_, [&](auto& entry) {
    if (entry.second.frame == frame_) {
      return false;
    }
    SDL_DestroyTexture(entry.second.value);
    return true;
  });
  std::erase_if(fonts_, [&](auto& entry) {
    if (entry.second.frame == frame_) {
      return false;
    }
    TTF_CloseFont(entry.second.value);
    return true;
  });
}

TTF_Font* DrawCache::FontOf(int pixels) {
  auto found = fonts_.find(pixels);
  if (found == fonts_.end()) {
    TTF_Font* font = TTF_OpenFont(fontFile_.c_str(), pixels);
    if (!font) {
      return nullptr;
    }
    found = fonts_.emplace(pixels, Kept<TTF_Font*>{font, frame_}).first;
  }
  found->second.frame = frame_;
  return found->second.value;
}

DrawCache::Text DrawCache::TextTexture(SDL_Renderer* renderer, std::string_view caption, int pixels,
                                       Colour colour, int wrapWidth, bool centred) {
  if (caption.empty()) {
    return {};
  }
  // The font stays open while text of its size is shown, ready for the next caption.
  TTF_Font* font = FontOf(pixels);
  TextKey key{std::string(caption), pixels, colour, wrapWidth, centred};
  if (const auto found = texts_.find(key); found != texts_.end()) {
    found->second.frame = frame_;
    return found->second.value;
  }
  if (!font) {
    return {};
  }
  TTF_SetFontWrappedAlign(font, centred ? TTF_WRAPPED_ALIGN_CENTER : TTF_WRAPPED_ALIGN_LEFT);
  SDL_Surface* surface = TTF_RenderUTF8_Blended_Wrapped(
      font, std::get<0>(key).c_str(), ToSdl(colour), static_cast<Uint32>(wrapWidth));
  if (!surface) {
    return {};
  }
  ++textRasterised_;
  Text text{SDL_CreateTextureFromSurface(renderer, surface), surface->w, surface->h};
  SDL_FreeSurface(surface);
  if (!text.texture) {
    return {};
  }
  SDL_SetTextureBlendMode(text.texture, SDL_BLENDMODE_BLEND);
  texts_.emplace(std::move(key), Kept<Text>{text, frame_});
  return text;
}

SDL_Texture* DrawCache::OvalTexture(SDL_Renderer* renderer, int width, int height, int stroke,
                                    FillStyle fill, Colour fillColour) {
  OvalKey key{width, height, stroke, fill, fillColour};
  if (const auto found = ovals_.find(key); found != ovals_.end()) {
    found->second.frame = frame_;
    return found->second.value;
  }
  const double shrink = std::min(1.0, static_cast<double>(kMaxOvalSide) / std::max(width, height));
  SDL_Surface* surface = MakeOvalSurface(
      std::max(1, static_cast<int>(width * shrink)), std::max(1, static_cast<int>(height * shrink)),
      std::max(1, static_cast<int>(std::lround(stroke * shrink))), fill, fillColour);
  if (!surface) {
    return nullptr;
  }
  SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, surface);
  SDL_FreeSurface(surface);
  if (!texture) {
    return nullptr;
  }
  SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
  ovals_.emplace(key, Kept<SDL_Texture*>{texture, frame_});
  return texture;
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

void DrawForm(SDL_Renderer* renderer, const Form& form, const Viewport& viewport, DrawCache& cache,
              const ButtonLook& buttons) {
  cache.BeginFrame();
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
  SDL_RenderSetClipRect(renderer, nullptr);
  // One clear when the picture fills the output: a second full-size fill costs a software
  // renderer as much as the rest of the frame.
  const bool letterboxed =
      viewport.picture.w < viewport.outputWidth || viewport.picture.h < viewport.outputHeight;
  SetColour(renderer, letterboxed ? kBars : form.BackColor);
  SDL_RenderClear(renderer);
  SDL_RenderSetClipRect(renderer, &viewport.picture);
  if (letterboxed) {
    Fill(renderer, viewport.picture, form.BackColor);
  }

  // The buttons, windows of their own above every drawn control, are the layout's first rows
  // and so come last.
  Painter painter(renderer, form, viewport, cache, buttons);
  for (auto row = StartingLayout.rbegin(); row != StartingLayout.rend(); ++row) {
    WithControl(form, *row, painter);
  }
  SDL_RenderSetClipRect(renderer, nullptr);
  cache.EndFrame();
}

}  // namespace zentor
