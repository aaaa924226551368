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

// An oval rasterised in proportion to its edge: the coverage of a pixel is worked out only where
// the rim passes, found on each row from where the ellipse crosses it, and the inside is filled
// in spans. The oval is symmetric about both axes, so a quarter is worked out and mirrored.
class OvalRaster {
 public:
  // Draws into a fresh surface of ARGB8888, all of it clear.
  OvalRaster(SDL_Surface& surface, int stroke, bool solid, Colour fillColour)
      : surface_(surface),
        a_(surface.w / 2.0),
        b_(surface.h / 2.0),
        innerA_(a_ - stroke),
        innerB_(b_ - stroke),
        hasInner_(innerA_ > 0 && innerB_ > 0),
        solid_(solid),
        fillColour_(fillColour),
        inside_(solid ? Pack(Red(fillColour), Green(fillColour), Blue(fillColour), kOpaque) : 0) {}

  void Draw() {
    for (int y = surface_.h / 2; y < surface_.h; ++y) {
      DrawRow(y);
    }
  }

 private:
  static constexpr Uint32 kOpaque = 0xFF;

  static Uint32 Pack(Uint32 red, Uint32 green, Uint32 blue, Uint32 alpha) {
    return alpha << 24 | red << 16 | green << 8 | blue;
  }

  // Coverage of the pixel whose centre is at (u, v) from the oval's centre, by the outer edge
  // and by the inner edge of the border.
  double Outer(double u, double v) const { return Coverage(EllipseDistance(u, v, a_, b_)); }
  double Inner(double u, double v) const {
    return hasInner_ ? std::min(Outer(u, v), Coverage(EllipseDistance(u, v, innerA_, innerB_)))
                     : 0.0;
  }

  // A pixel on the rim: the fill inside the inner edge, the border's black between the edges.
  Uint32 RimPixel(double u, double v) const {
    const double outer = Outer(u, v);
    const double inner = Inner(u, v);
    const double alpha = solid_ ? outer : outer - inner;
    const double fillShare = solid_ && outer > 0 ? inner / outer : 0.0;
    const auto channel = [&](uint8_t fillValue, uint8_t borderValue) {
      return static_cast<Uint32>(
          std::lround(fillValue * fillShare + borderValue * (1 - fillShare)));
    };
    return Pack(channel(Red(fillColour_), Red(kWindowTextColour)),
                channel(Green(fillColour_), Green(kWindowTextColour)),
                channel(Blue(fillColour_), Blue(kWindowTextColour)),
                static_cast<Uint32>(std::lround(alpha * kOpaque)));
  }

  // Where an ellipse of semi-axes (a, b) crosses the row at v, as a column of the surface.
  double Crossing(double a, double b, double v) const {
    return a_ + a * std::sqrt(std::max(0.0, 1 - v * v / (b * b)));
  }

  double U(int x) const { return x + 0.5 - a_; }

  // The right half of row y and its mirror images: the inside up to the rim, the rim pixel by
  // pixel, clear beyond it (as the surface already is).
  void DrawRow(int y) {
    const int from = surface_.w / 2;
    const double v = y + 0.5 - b_;
    const auto whole = [&](int x) { return Inner(U(x), v) >= 1; };
    const auto clear = [&](int x) { return Outer(U(x), v) <= 0; };
    // The last pixel of the inside: from where the inner edge crosses the row, inwards while
    // the pixel is not wholly inside, then outwards while the next one is.
    int insideEnd = from - 1;
    if (hasInner_ && std::abs(v) < innerB_) {
      insideEnd =
          std::clamp(static_cast<int>(Crossing(innerA_, innerB_, v)), from - 1, surface_.w - 1);
      while (insideEnd >= from && !whole(insideEnd)) {
        --insideEnd;
      }
      while (insideEnd + 1 < surface_.w && whole(insideEnd + 1)) {
        ++insideEnd;
      }
    }
    // The first clear pixel past the rim, found the same way from the outer edge.
    int clearFrom = std::clamp(static_cast<int>(Crossing(a_, b_, v)), insideEnd + 1, surface_.w);
    while (clearFrom < surface_.w && !clear(clearFrom)) {
      ++clearFrom;
    }
    while (clearFrom - 1 > insideEnd && clear(clearFrom - 1)) {
      --clearFrom;
    }
    if (insideEnd >= from && inside_ != 0) {
      for (const int row : {y, surface_.h - 1 - y}) {
        std::fill(Row(row) + surface_.w - 1 - insideEnd, Row(row) + insideEnd + 1, inside_);
      }
    }
    for (int x = insideEnd + 1; x < clearFrom; ++x) {
      Put(x, y, RimPixel(U(x), v));
    }
  }

  Uint32* Row(int y) const {
    return reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface_.pixels) +
                                     static_cast<ptrdiff_t>(y) * surface_.pitch);
  }

  // A pixel of the lower right quarter, and its mirror images in the other three.
  void Put(int x, int y, Uint32 pixel) {
    for (const int row : {y, surface_.h - 1 - y}) {
      Row(row)[x] = pixel;
      Row(row)[surface_.w - 1 - x] = pixel;
    }
  }

  SDL_Surface& surface_;
  const double a_;
  const double b_;
  const double innerA_;
  const double innerB_;
  const bool hasInner_;
  const bool solid_;
  const Colour fillColour_;
  const Uint32 inside_;
};

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
  if (surface) {
    OvalRaster(*surface, stroke, fill == FillStyle::Solid, fillColour).Draw();
  }
  return surface;
}

}  // namespace zentor
