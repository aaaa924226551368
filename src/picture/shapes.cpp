#include "picture/shapes.h"

#include <algorithm>
#include <cmath>

namespace zentor {
namespace {

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

SurfaceHandle MakeOvalSurface(int width, int height, int stroke, FillStyle fill,
                              Colour fillColour) {
  SurfaceHandle surface(
      SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888));
  if (!surface) {
    return surface;
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

}  // namespace zentor
