#include "picture/icon.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "picture/icon_shapes.h"

namespace zentor {
namespace {

// Samples a pixel takes along each axis, so that the edges are smooth.
constexpr int kSamples = 4;
constexpr Colour kBlack = 0x00000000;

// How far a point lies outside a shape's outline (negative inside), in grid units: a rectangle
// whose top corners, and the bottom ones too where `roundBottom`, are rounded by `radius`.
double Outside(const IconShape& s, double x, double y, double radius, bool roundBottom) {
  const double left = s.left;
  const double top = s.top;
  const double right = s.left + s.width;
  const double bottom = s.top + s.height;
  const bool inCornerRows = y < top + radius || (roundBottom && y > bottom - radius);
  if (radius > 0 && inCornerRows) {
    const double cx = std::clamp(x, left + radius, right - radius);
    const double cy = std::clamp(y, top + radius, roundBottom ? bottom - radius : bottom);
    return std::hypot(x - cx, y - cy) - radius;
  }
  return std::max({left - x, x - right, top - y, y - bottom});
}

double Outside(const IconShape& s, double x, double y) {
  switch (s.kind) {
    case IconShape::Kind::Field:
      return Outside(s, x, y, kIconCornerRadius, true);
    case IconShape::Kind::Panel:
      return Outside(s, x, y, kIconCornerRadius, false);
    case IconShape::Kind::Disc:
      return std::hypot(x - (s.left + s.width / 2.0), y - (s.top + s.height / 2.0)) - s.width / 2.0;
    case IconShape::Kind::Square:
      return Outside(s, x, y, 0, false);
  }
  return 1;
}

// The colour at a point of the grid, the shapes painted in order with their borders centred on
// their outlines; nothing outside them all.
std::optional<Colour> ColourAt(const std::vector<IconShape>& shapes, double x, double y) {
  std::optional<Colour> colour;
  for (const IconShape& shape : shapes) {
    const double outside = Outside(shape, x, y);
    if (shape.stroke > 0 && std::abs(outside) <= shape.stroke / 2.0) {
      colour = kBlack;
    } else if (outside < 0) {
      colour = shape.fill;
    }
  }
  return colour;
}

}  // namespace

SurfaceHandle DrawIcon(int side) {
  SurfaceHandle icon(SDL_CreateRGBSurfaceWithFormat(0, side, side, 32, SDL_PIXELFORMAT_ARGB8888));
  if (!icon) {
    return icon;
  }
  const std::vector<IconShape> shapes = IconShapes(MakeForm());
  const double unit = static_cast<double>(kIconGrid) / side / kSamples;
  for (int py = 0; py < side; ++py) {
    auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(icon->pixels) + py * icon->pitch);
    for (int px = 0; px < side; ++px) {
      int red = 0;
      int green = 0;
      int blue = 0;
      int covered = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const auto colour = ColourAt(shapes, ((px * kSamples + sx) + 0.5) * unit,
                                       ((py * kSamples + sy) + 0.5) * unit);
          if (colour) {
            red += Red(*colour);
            green += Green(*colour);
            blue += Blue(*colour);
            ++covered;
          }
        }
      }
      const int n = std::max(covered, 1);
      row[px] = SDL_MapRGBA(icon->format, static_cast<Uint8>(red / n),
                            static_cast<Uint8>(green / n), static_cast<Uint8>(blue / n),
                            static_cast<Uint8>(covered * 255 / (kSamples * kSamples)));
    }
  }
  return icon;
}

}  // namespace zentor
