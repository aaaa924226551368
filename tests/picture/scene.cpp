#include "picture/scene.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <type_traits>

#include "playfield/layout.h"

namespace zentor::testing {
namespace {

constexpr double kTwipsPerPixel = 15;
constexpr int kDarkLimit = 0x50;

// The numbers of a JSON value that begins after "key": in a state line.
std::vector<double> NumbersAfter(const std::string& line, const std::string& key) {
  const size_t at = line.find("\"" + key + "\":");
  EXPECT_NE(at, std::string::npos) << "no " << key << " in " << line;
  std::vector<double> numbers;
  if (at == std::string::npos) {
    return numbers;
  }
  size_t i = at + key.size() + 3;
  int depth = 0;
  do {
    const char c = line[i];
    if (c == '[') {
      ++depth;
      ++i;
    } else if (c == ']') {
      --depth;
      ++i;
    } else if (c == ',') {
      ++i;
    } else {
      char* end = nullptr;
      numbers.push_back(std::strtod(line.c_str() + i, &end));
      i = static_cast<size_t>(end - line.c_str());
    }
  } while (depth > 0 && i < line.size());
  return numbers;
}

bool FlagAfter(const std::string& line, const std::string& key) {
  return line.find("\"" + key + "\":true") != std::string::npos;
}

double SegmentDistance(double x, double y, const Line& line) {
  const double dx = line.X2 - line.X1;
  const double dy = line.Y2 - line.Y1;
  const double length2 = dx * dx + dy * dy;
  const double t =
      length2 == 0 ? 0 : std::clamp(((x - line.X1) * dx + (y - line.Y1) * dy) / length2, 0.0, 1.0);
  return std::hypot(x - (line.X1 + t * dx), y - (line.Y1 + t * dy));
}

// Signed distance to a shape's outline, negative inside.
double OutlineDistance(double x, double y, const Shape& shape) {
  if (shape.Kind == ShapeKind::Oval) {
    const double a = shape.Width / 2.0;
    const double b = shape.Height / 2.0;
    const double f = std::hypot((x - shape.Left - a) / a, (y - shape.Top - b) / b);
    return (f - 1) * std::min(a, b);
  }
  const double dx = std::max(shape.Left - x, x - (static_cast<double>(shape.Left) + shape.Width));
  const double dy = std::max(shape.Top - y, y - (static_cast<double>(shape.Top) + shape.Height));
  return dx > 0 || dy > 0 ? std::hypot(std::max(dx, 0.0), std::max(dy, 0.0)) : std::max(dx, dy);
}

template <class Control>
bool WithinBox(const Control& c, double x, double y, double margin) {
  return x >= c.Left - margin && x <= static_cast<double>(c.Left) + c.Width + margin &&
         y >= c.Top - margin && y <= static_cast<double>(c.Top) + c.Height + margin;
}

}  // namespace

Rgb RgbOf(Colour colour) {
  return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

Form FormFromStateLine(const std::string& line) {
  Form form = MakeForm();
  const std::vector<double> red = NumbersAfter(line, "red");
  if (red.size() == 4) {
    form.Red.Left = static_cast<float>(red[0]);
    form.Red.Top = static_cast<float>(red[1]);
    form.Red.Width = static_cast<float>(red[2]);
    form.Red.Height = static_cast<float>(red[3]);
  }
  const std::vector<double> rocks = NumbersAfter(line, "rocks");
  EXPECT_EQ(rocks.size(), 2u * kRockCount);
  for (size_t i = 0; i < kRockCount && 2 * i + 1 < rocks.size(); ++i) {
    form.Rock[i].Left = static_cast<float>(rocks[2 * i]);
    form.Rock[i].Top = static_cast<float>(rocks[2 * i + 1]);
  }
  const std::vector<double> banner = NumbersAfter(line, "lblnext");
  if (!banner.empty()) {
    form.lblnext.Top = static_cast<float>(banner[0]);
  }
  form.lblfunny.Visible = FlagAfter(line, "lblfunny");
  form.Restart.Visible = FlagAfter(line, "restart");
  form.endgame.Visible = FlagAfter(line, "endgame");
  form.Timer1.Enabled = FlagAfter(line, "timer");
  return form;
}

std::optional<Rgb> ExpectedColour(const Form& form, double x, double y, double margin) {
  for (const LayoutRow& row : StartingLayout) {
    // Empty while the walk goes on below this control; otherwise the answer.
    std::optional<std::optional<Rgb>> answer;
    WithControl(form, row, [&](const auto& control) {
      using Kind = std::decay_t<decltype(control)>;
      if constexpr (std::is_same_v<Kind, Timer>) {
        return;
      } else if constexpr (std::is_same_v<Kind, Line>) {
        if (control.Visible && SegmentDistance(x, y, control) < margin) {
          answer = std::optional<Rgb>{};
        }
      } else if constexpr (std::is_same_v<Kind, Shape>) {
        if (!control.Visible) {
          return;
        }
        const double d = OutlineDistance(x, y, control);
        if (std::abs(d) < margin) {
          answer = std::optional<Rgb>{};
        } else if (d < 0 && control.Fill == FillStyle::Solid) {
          answer = std::optional<Rgb>{RgbOf(control.FillColor)};
        }
      } else {
        // Labels and buttons: text and edges may be anywhere inside.
        if (control.Visible && WithinBox(control, x, y, margin)) {
          answer = std::optional<Rgb>{};
        }
      }
    });
    if (answer) {
      return *answer;
    }
  }
  return RgbOf(form.BackColor);
}

Picture::Picture(const std::string& path) {
  SDL_Surface* loaded = IMG_Load(path.c_str());
  if (!loaded) {
    ADD_FAILURE() << "cannot load " << path << ": " << IMG_GetError();
    return;
  }
  SDL_Surface* rgb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB888, 0);
  SDL_FreeSurface(loaded);
  if (!rgb) {
    ADD_FAILURE() << "cannot convert " << path << ": " << SDL_GetError();
    return;
  }
  width_ = rgb->w;
  height_ = rgb->h;
  pixels_.resize(static_cast<size_t>(width_) * height_);
  for (int y = 0; y < height_; ++y) {
    const auto* row =
        reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(rgb->pixels) + y * rgb->pitch);
    for (int x = 0; x < width_; ++x) {
      pixels_[static_cast<size_t>(y) * width_ + x] = row[x] & 0xFFFFFF;
    }
  }
  SDL_FreeSurface(rgb);
}

Picture::Picture(int width, int height, std::vector<Rgb> pixels)
    : width_(width), height_(height), pixels_(std::move(pixels)) {}

int Picture::DarkPixels(int left, int top, int width, int height) const {
  int dark = 0;
  for (int y = std::max(top, 0); y < std::min(top + height, height_); ++y) {
    for (int x = std::max(left, 0); x < std::min(left + width, width_); ++x) {
      const Rgb p = At(x, y);
      if (((p >> 16) & 0xFF) < kDarkLimit && ((p >> 8) & 0xFF) < kDarkLimit &&
          (p & 0xFF) < kDarkLimit) {
        ++dark;
      }
    }
  }
  return dark;
}

int Picture::Count(Rgb colour) const {
  return static_cast<int>(std::count(pixels_.begin(), pixels_.end(), colour));
}

GridCheck CheckAgainstLayout(const Picture& picture, const Form& form, int step,
                             double pixelsPerPicturePixel, int offsetX, int offsetY) {
  // Three pixels around every edge, of the picture at scale 1 or of the output if they are
  // larger, are left to anti-aliasing.
  const double twipsPerPixel = kTwipsPerPixel / pixelsPerPicturePixel;
  const double margin = 3 * std::max(kTwipsPerPixel, twipsPerPixel);
  GridCheck check;
  for (int y = offsetY; y < picture.Height(); y += step) {
    for (int x = offsetX; x < picture.Width(); x += step) {
      const double tx = (x + 0.5 - offsetX) * twipsPerPixel;
      const double ty = (y + 0.5 - offsetY) * twipsPerPixel;
      if (tx >= form.ScaleWidth || ty >= form.ScaleHeight) {
        continue;
      }
      const std::optional<Rgb> expected = ExpectedColour(form, tx, ty, margin);
      if (!expected) {
        continue;
      }
      ++check.checked;
      if (picture.At(x, y) != *expected) {
        check.mismatches.push_back({x, y, *expected, picture.At(x, y)});
      }
    }
  }
  return check;
}

std::string Describe(const GridCheck& check) {
  std::ostringstream text;
  text << check.mismatches.size() << " of " << check.checked << " points differ";
  for (size_t i = 0; i < std::min<size_t>(check.mismatches.size(), 8); ++i) {
    const Mismatch& m = check.mismatches[i];
    char line[96];
    std::snprintf(line, sizeof line, "\n  (%d, %d): expected %06X, drawn %06X", m.x, m.y,
                  m.expected, m.actual);
    text << line;
  }
  return text.str();
}

Picture PictureOf(const SDL_Surface& surface) {
  std::vector<Rgb> pixels(static_cast<size_t>(surface.w) * surface.h);
  for (int y = 0; y < surface.h; ++y) {
    const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(surface.pixels) +
                                                      y * surface.pitch);
    for (int x = 0; x < surface.w; ++x) {
      pixels[static_cast<size_t>(y) * surface.w + x] = row[x] & 0xFFFFFF;
    }
  }
  return Picture(surface.w, surface.h, std::move(pixels));
}

}  // namespace zentor::testing
