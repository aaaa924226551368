#include "picture/pixels.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

namespace zentor {
namespace {

constexpr Uint32 kOpaque = 0xFF;

// A fill larger than this many pixels streams past the cache (SDL's fill does), a smaller one
// is written through it, which is several times faster for the small parts a frame of play
// draws again.
constexpr int kStreamedFillPixels = 1 << 16;
// A window's pixels have been read by the display server since the last frame, and a frame
// of play comes after a sleep: the lines a fill writes are seldom in the cache. Asking for the
// lines of the row a few rows ahead lets those fetches overlap instead of waiting in turn.
constexpr int kFillAhead = 4;
constexpr int kPixelsPerLine = 64 / sizeof(Uint32);

constexpr Uint32 kColourBits = 0x00FFFFFF;

// One channel of `over` laid with coverage `alpha` (0..255) on one of `under`, rounded.
Uint32 Mix(Uint32 over, Uint32 under, Uint32 alpha) {
  return (over * alpha + under * (kOpaque - alpha) + kOpaque / 2) / kOpaque;
}

// An image pixel over a surface pixel that keeps its channels where the images do.
Uint32 OverInImageLayout(Uint32 over, Uint32 under, Uint32 alphaMask) {
  // Red and blue side by side, green alone: each channel's products stay within 16 bits, and
  // t -> (t + (t >> 8)) >> 8 with t = product + 128 divides by 255 rounded, as Mix does. No
  // branch: a frame of play lays thousands of these, solid, clear and edge pixels mixed.
  const Uint32 alpha = over >> 24;
  const Uint32 rest = kOpaque - alpha;
  Uint32 redBlue = (over & 0x00FF00FF) * alpha + (under & 0x00FF00FF) * rest + 0x00800080;
  redBlue = ((redBlue + ((redBlue >> 8) & 0x00FF00FF)) >> 8) & 0x00FF00FF;
  Uint32 green = (over & 0x0000FF00) * alpha + (under & 0x0000FF00) * rest + 0x00008000;
  green = ((green + ((green >> 8) & 0x0000FF00)) >> 8) & 0x0000FF00;
  return redBlue | green | alphaMask;
}

}  // namespace

std::optional<Image> Image::From(SurfaceHandle surface) {
  if (surface && surface->format->format != SDL_PIXELFORMAT_ARGB8888) {
    surface.reset(SDL_ConvertSurfaceFormat(surface.get(), SDL_PIXELFORMAT_ARGB8888, 0));
  }
  if (!surface) {
    return std::nullopt;
  }
  return Image(std::move(surface));
}

Image::Image(SurfaceHandle surface) : surface_(std::move(surface)) {
  for (int y = 0; y < surface_->h; ++y) {
    const Uint32* pixels = RowPixels(y);
    const auto alpha = [&](int x) { return pixels[x] >> 24; };
    Row row;
    row.begin = 0;
    while (row.begin < surface_->w && alpha(row.begin) == 0) {
      ++row.begin;
    }
    row.end = surface_->w;
    while (row.end > row.begin && alpha(row.end - 1) == 0) {
      --row.end;
    }
    // The longest solid run.
    row.solidBegin = row.solidEnd = row.begin;
    for (int x = row.begin; x < row.end;) {
      int runEnd = x;
      while (runEnd < row.end && alpha(runEnd) == kOpaque) {
        ++runEnd;
      }
      if (runEnd - x > row.solidEnd - row.solidBegin) {
        row.solidBegin = x;
        row.solidEnd = runEnd;
      }
      x = runEnd + 1;
    }
    rows_.push_back(row);
  }
}

const Uint32* Image::RowPixels(int y) const {
  return reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(surface_->pixels) +
                                         static_cast<ptrdiff_t>(y) * surface_->pitch);
}

bool Pixels::Usable(const SDL_PixelFormat& format) {
  const auto byteMask = [](Uint32 mask, Uint8 shift) { return mask == kOpaque << shift; };
  return format.BytesPerPixel == 4 && byteMask(format.Rmask, format.Rshift) &&
         byteMask(format.Gmask, format.Gshift) && byteMask(format.Bmask, format.Bshift);
}

Pixels::Pixels(SDL_Surface& surface)
    : surface_(surface),
      format_(*surface.format),
      imageLayout_(format_.Rshift == 16 && format_.Gshift == 8 && format_.Bshift == 0),
      clip_{0, 0, surface.w, surface.h} {
  if (SDL_MUSTLOCK(&surface_)) {
    SDL_LockSurface(&surface_);
  }
}

Pixels::~Pixels() {
  if (SDL_MUSTLOCK(&surface_)) {
    SDL_UnlockSurface(&surface_);
  }
}

void Pixels::Clip(const SDL_Rect& clip) {
  const SDL_Rect whole{0, 0, surface_.w, surface_.h};
  if (!SDL_IntersectRect(&clip, &whole, &clip_)) {
    clip_ = {0, 0, 0, 0};
  }
}

Uint32* Pixels::Row(int y) const {
  return reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface_.pixels) +
                                   static_cast<ptrdiff_t>(y) * surface_.pitch);
}

Uint32 Pixels::Map(uint8_t red, uint8_t green, uint8_t blue) const {
  return (Uint32{red} << format_.Rshift) | (Uint32{green} << format_.Gshift) |
         (Uint32{blue} << format_.Bshift) | format_.Amask;
}

void Pixels::Put(int x, int y, Uint32 pixel) {
  if (x >= clip_.x && x < clip_.x + clip_.w && y >= clip_.y && y < clip_.y + clip_.h) {
    Row(y)[x] = pixel;
  }
}

void Pixels::Fill(const SDL_Rect& rect, Colour colour) {
  SDL_Rect area;
  if (!SDL_IntersectRect(&rect, &clip_, &area)) {
    return;
  }
  const Uint32 pixel = Map(colour);
  if (area.w * area.h > kStreamedFillPixels) {
    SDL_FillRect(&surface_, &area, pixel);
    return;
  }
  const int end = area.y + area.h;
  for (int y = area.y; y < end; ++y) {
    if (y + kFillAhead < end) {
      const Uint32* ahead = Row(y + kFillAhead) + area.x;
      for (int x = 0; x < area.w; x += kPixelsPerLine) {
        __builtin_prefetch(ahead + x, 1);
      }
    }
    Uint32* row = Row(y) + area.x;
    std::fill(row, row + area.w, pixel);
  }
}

void Pixels::Blend(const Image& image, const SDL_Rect& to) {
  SDL_Rect area;
  if (!SDL_IntersectRect(&to, &clip_, &area)) {
    return;
  }
  if (image.Width() != to.w || image.Height() != to.h) {
    Stretch(image, to, area);
    return;
  }
  for (int y = area.y; y < area.y + area.h; ++y) {
    const Image::Row& spans = image.RowAt(y - to.y);
    // The image's row and the surface's, both indexed by the pixel's place in the image.
    const Uint32* over = image.RowPixels(y - to.y);
    Uint32* row = Row(y) + to.x;
    const int from = std::max(spans.begin, area.x - to.x);
    const int upTo = std::min(spans.end, area.x + area.w - to.x);
    const int solidFrom = std::clamp(spans.solidBegin, from, std::max(from, upTo));
    const int solidTo = std::clamp(spans.solidEnd, solidFrom, std::max(solidFrom, upTo));
    BlendSpan(over, row, from, solidFrom);
    CopySpan(over, row, solidFrom, solidTo);
    BlendSpan(over, row, solidTo, upTo);
  }
}

void Pixels::Stretch(const Image& image, const SDL_Rect& to, const SDL_Rect& area) {
  // Which pixel of the image a pixel of the picture takes, from where it lies in `to` alone.
  const auto source = [](int at, int origin, int picture, int imageSide) {
    return static_cast<int>(static_cast<int64_t>(at - origin) * imageSide / picture);
  };
  std::vector<int> columns;
  for (int x = area.x; x < area.x + area.w; ++x) {
    columns.push_back(source(x, to.x, to.w, image.Width()));
  }
  for (int y = area.y; y < area.y + area.h; ++y) {
    const Uint32* over = image.RowPixels(source(y, to.y, to.h, image.Height()));
    Uint32* row = Row(y) + area.x;
    for (size_t i = 0; i < columns.size(); ++i) {
      row[i] = Over(over[columns[i]], row[i]);
    }
  }
}

void Pixels::BlendSpan(const Uint32* image, Uint32* row, int from, int to) const {
  const Uint32 alphaMask = format_.Amask;
  if (imageLayout_) {
    for (int x = from; x < to; ++x) {
      row[x] = OverInImageLayout(image[x], row[x], alphaMask);
    }
    return;
  }
  for (int x = from; x < to; ++x) {
    row[x] = Over(image[x], row[x]);
  }
}

void Pixels::CopySpan(const Uint32* image, Uint32* row, int from, int to) const {
  if (imageLayout_) {
    const Uint32 alphaMask = format_.Amask;
    for (int x = from; x < to; ++x) {
      row[x] = (image[x] & kColourBits) | alphaMask;
    }
    return;
  }
  for (int x = from; x < to; ++x) {
    row[x] = Map(static_cast<uint8_t>(image[x] >> 16), static_cast<uint8_t>(image[x] >> 8),
                 static_cast<uint8_t>(image[x]));
  }
}

Uint32 Pixels::Over(Uint32 over, Uint32 under) const {
  const Uint32 alpha = over >> 24;
  if (alpha == 0) {
    return under;
  }
  const auto channel = [&](Uint32 imageShift, Uint8 shift) {
    const Uint32 value = (over >> imageShift) & kOpaque;
    return alpha == kOpaque ? value : Mix(value, (under >> shift) & kOpaque, alpha);
  };
  return (channel(16, format_.Rshift) << format_.Rshift) |
         (channel(8, format_.Gshift) << format_.Gshift) |
         (channel(0, format_.Bshift) << format_.Bshift) | format_.Amask;
}

void Pixels::Line(SDL_Point from, SDL_Point to, Colour colour) {
  const Uint32 pixel = Map(colour);
  const int dx = std::abs(to.x - from.x);
  const int dy = -std::abs(to.y - from.y);
  const int stepX = from.x < to.x ? 1 : -1;
  const int stepY = from.y < to.y ? 1 : -1;
  int error = dx + dy;
  for (SDL_Point at = from;;) {
    Put(at.x, at.y, pixel);
    if (at.x == to.x && at.y == to.y) {
      return;
    }
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      at.x += stepX;
    }
    if (twice <= dx) {
      error += dx;
      at.y += stepY;
    }
  }
}

void Pixels::Quad(const std::array<SDL_FPoint, 4>& corners, Colour colour) {
  float minX = corners[0].x;
  float maxX = corners[0].x;
  float minY = corners[0].y;
  float maxY = corners[0].y;
  for (const SDL_FPoint& corner : corners) {
    minX = std::min(minX, corner.x);
    maxX = std::max(maxX, corner.x);
    minY = std::min(minY, corner.y);
    maxY = std::max(maxY, corner.y);
  }
  const int left = std::max(clip_.x, static_cast<int>(std::floor(minX)));
  const int right = std::min(clip_.x + clip_.w, static_cast<int>(std::ceil(maxX)));
  const int top = std::max(clip_.y, static_cast<int>(std::floor(minY)));
  const int bottom = std::min(clip_.y + clip_.h, static_cast<int>(std::ceil(maxY)));
  // Inside is on the same side of all four edges, whichever way round the corners go.
  const auto side = [&](size_t edge, double x, double y) {
    const SDL_FPoint a = corners[edge];
    const SDL_FPoint b = corners[(edge + 1) % corners.size()];
    return (static_cast<double>(b.x) - a.x) * (y - a.y) -
           (static_cast<double>(b.y) - a.y) * (x - a.x);
  };
  const Uint32 pixel = Map(colour);
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      const double cx = x + 0.5;
      const double cy = y + 0.5;
      bool allAbove = true;
      bool allBelow = true;
      for (size_t edge = 0; edge < corners.size(); ++edge) {
        const double s = side(edge, cx, cy);
        allAbove = allAbove && s >= 0;
        allBelow = allBelow && s <= 0;
      }
      if (allAbove || allBelow) {
        Row(y)[x] = pixel;
      }
    }
  }
}

}  // namespace zentor
