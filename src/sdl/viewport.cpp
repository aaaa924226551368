#include "sdl/viewport.h"

#include <algorithm>
#include <cmath>

#include "playfield/layout.h"

namespace zentor {
namespace {

// How far outside the picture an edge may lie once pulled in: more than any border or shape
// that can still reach into the picture.
constexpr double kMargin = 4096;

constexpr double kPointsPerInch = 72;
constexpr double kDotsPerInch = 96;

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

std::optional<SDL_Rect> Viewport::PixelRect(double left, double top, double width,
                                            double height) const {
  const double x0 = X(left);
  const double x1 = X(left + width);
  const double y0 = Y(top);
  const double y1 = Y(top + height);
  if (!Finite(x0, x1, y0, y1)) {
    return std::nullopt;
  }
  const double pictureRight = picture.x + picture.w;
  const double pictureBottom = picture.y + picture.h;
  if (x1 <= picture.x || x0 >= pictureRight || y1 <= picture.y || y0 >= pictureBottom) {
    return std::nullopt;
  }
  const auto pullX = [&](double x) {
    return static_cast<int>(
        std::lround(std::clamp(x, picture.x - kMargin, pictureRight + kMargin)));
  };
  const auto pullY = [&](double y) {
    return static_cast<int>(
        std::lround(std::clamp(y, picture.y - kMargin, pictureBottom + kMargin)));
  };
  const int left0 = pullX(x0);
  const int top0 = pullY(y0);
  return SDL_Rect{left0, top0, std::max(pullX(x1) - left0, 1), std::max(pullY(y1) - top0, 1)};
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
    return SDL_FPoint{static_cast<float>(ax + t * dx), static_cast<float>(ay + t * dy)};
  };
  return std::pair{at(from), at(to)};
}

int Viewport::Stroke() const {
  return std::max(1, static_cast<int>(std::lround(scale)));
}

int Viewport::FontPixels(double points) const {
  return std::max(1, static_cast<int>(std::lround(points * kDotsPerInch / kPointsPerInch * scale)));
}

}  // namespace zentor
