#include "picture/viewport.h"

#include <algorithm>
#include <cmath>

#include "playfield/layout.h"

namespace zentor {
namespace {

// How far outside the picture an edge may lie once pulled in: more than any border or shape
// that can still reach into the picture.
constexpr double kMargin = 4096;

bool Finite(double a, double b, double c, double d) {
  return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

}  // namespace

Viewport Viewport::Fit(int outputWidth, int outputHeight) {
  Viewport v;
  v.outputWidth = std::max(outputWidth, 1);
  v.outputHeight = std::max(outputHeight, 1);
  v.scale = std::min(static_cast<double>(v.outputWidth) / kPictureWidth,
                     static_cast<double>(v.outputHeight) / kPictureHeight);
  const int width =
      std::clamp(static_cast<int>(std::lround(kPictureWidth * v.scale)), 1, v.outputWidth);
  const int height =
      std::clamp(static_cast<int>(std::lround(kPictureHeight * v.scale)), 1, v.outputHeight);
  v.picture = {(v.outputWidth - width) / 2, (v.outputHeight - height) / 2, width, height};
  return v;
}

double Viewport::X(double twips) const {
  return picture.x + twips * picture.w / kClientWidth;
}

double Viewport::Y(double twips) const {
  return picture.y + twips * picture.h / kClientHeight;
}

double Viewport::TwipsX(double pixelX) const {
  return (pixelX - picture.x) * kClientWidth / picture.w;
}

double Viewport::TwipsY(double pixelY) const {
  return (pixelY - picture.y) * kClientHeight / picture.h;
}

int Viewport::EdgeX(double twips) const {
  return static_cast<int>(
      std::floor(std::clamp(X(twips), picture.x - kMargin, picture.x + picture.w + kMargin) + 0.5));
}

int Viewport::EdgeY(double twips) const {
  return static_cast<int>(
      std::floor(std::clamp(Y(twips), picture.y - kMargin, picture.y + picture.h + kMargin) + 0.5));
}

std::optional<SDL_Rect> Viewport::TiledRect(double left, double top, double width,
                                            double height) const {
  const double right = left + width;
  const double bottom = top + height;
  if (!Finite(X(left), X(right), Y(top), Y(bottom))) {
    return std::nullopt;
  }
  if (X(right) <= picture.x || X(left) >= picture.x + picture.w || Y(bottom) <= picture.y ||
      Y(top) >= picture.y + picture.h) {
    return std::nullopt;
  }
  const int stroke = Stroke();
  const int x0 = EdgeX(left);
  const int y0 = EdgeY(top);
  const int x1 = EdgeX(right - kTwipsPerPixel) + stroke;
  const int y1 = EdgeY(bottom - kTwipsPerPixel) + stroke;
  return SDL_Rect{x0, y0, std::max(x1 - x0, 1), std::max(y1 - y0, 1)};
}

std::optional<SDL_Rect> Viewport::PixelRect(double left, double top, double width,
                                            double height) const {
  const std::optional<SDL_Rect> tiled = TiledRect(left, top, width, height);
  if (!tiled) {
    return tiled;
  }
  const auto size = [this](double twips, double pixelsPerTwip) {
    return std::max(1.0, std::floor((twips - kTwipsPerPixel) * pixelsPerTwip + 0.5) + Stroke());
  };
  const double pixelWidth = size(width, static_cast<double>(picture.w) / kClientWidth);
  const double pixelHeight = size(height, static_cast<double>(picture.h) / kClientHeight);
  // Cut to the margin, what is left of the rectangle is what lies between its cut edges.
  const double most = std::max(picture.w, picture.h) + 2 * kMargin;
  if (X(left) < picture.x - kMargin || Y(top) < picture.y - kMargin || pixelWidth > most ||
      pixelHeight > most) {
    return tiled;
  }
  return SDL_Rect{tiled->x, tiled->y, static_cast<int>(pixelWidth), static_cast<int>(pixelHeight)};
}

// Cuts the line to the margin box (Liang-Barsky), so that far ends keep the line's direction.
std::optional<std::pair<SDL_FPoint, SDL_FPoint>> Viewport::PixelLine(double x1, double y1,
                                                                     double x2, double y2) const {
  const double ax = X(x1);
  const double ay = Y(y1);
  const double dx = X(x2) - ax;
  const double dy = Y(y2) - ay;
  if (!Finite(ax, ay, dx, dy)) {
    return std::nullopt;
  }
  const double minX = picture.x - kMargin;
  const double maxX = picture.x + picture.w + kMargin;
  const double minY = picture.y - kMargin;
  const double maxY = picture.y + picture.h + kMargin;
  double from = 0;
  double to = 1;
  const auto cut = [&](double p, double q) {
    if (p == 0) {
      return q >= 0;
    }
    const double r = q / p;
    if (p < 0) {
      from = std::max(from, r);
    } else {
      to = std::min(to, r);
    }
    return from <= to;
  };
  if (!cut(-dx, ax - minX) || !cut(dx, maxX - ax) || !cut(-dy, ay - minY) || !cut(dy, maxY - ay)) {
    return std::nullopt;
  }
  const auto at = [&](double t) {
    return SDL_FPoint{static_cast<float>(std::floor(ax + t * dx + 0.5)),
                      static_cast<float>(std::floor(ay + t * dy + 0.5))};
  };
  return std::pair{at(from), at(to)};
}

int Viewport::Stroke() const {
  return std::max(1, static_cast<int>(std::lround(scale)));
}

}  // namespace zentor
