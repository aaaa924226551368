// Drawing straight into the pixels of a surface: solid rectangles, images with straight alpha,
// thin and thick lines, each cut to a clip rectangle. A pixel's colour depends only on what is
// drawn over it, never on the clip, so a part of the picture drawn again matches the picture
// drawn whole. Plain stores and a blend that skips clear pixels and copies solid ones keep a
// frame of play to a few tens of microseconds.
#pragma once

#include <SDL.h>

#include <array>
#include <optional>
#include <vector>

#include "picture/surface.h"
#include "playfield/controls.h"

namespace zentor {

// An image in ARGB8888 with straight alpha (text, an oval), with what Blend needs to know of
// each row: where its pixels are not clear, and the run of solid ones among them, which are
// copied instead of mixed. Most of a rock is that run.
class Image {
 public:
  struct Row {
    int begin = 0;  // the first pixel that is not clear
    int solidBegin = 0;
    int solidEnd = 0;  // one past the solid run, solidBegin when there is none
    int end = 0;       // one past the last pixel that is not clear
  };

  // Null when the surface is null or cannot be had in ARGB8888.
  static std::optional<Image> From(SurfaceHandle surface);

  int Width() const { return surface_->w; }
  int Height() const { return surface_->h; }
  const Uint32* RowPixels(int y) const;
  const Row& RowAt(int y) const { return rows_[static_cast<size_t>(y)]; }

 private:
  explicit Image(SurfaceHandle surface);

  SurfaceHandle surface_;
  std::vector<Row> rows_;
};

class Pixels {
 public:
  // Whether a surface of this format can be drawn into: 32 bits a pixel, 8 bits a channel.
  static bool Usable(const SDL_PixelFormat& format);

  // The surface must be Usable; it stays locked while this lives.
  explicit Pixels(SDL_Surface& surface);
  ~Pixels();
  Pixels(const Pixels&) = delete;
  Pixels& operator=(const Pixels&) = delete;

  // Limits all drawing to this rectangle within the surface.
  void Clip(const SDL_Rect& clip);
  const SDL_Rect& ClipRect() const { return clip_; }

  void Fill(const SDL_Rect& rect, Colour colour);

  // An image over the picture, stretched to `to` (each pixel taking the image's nearest) when
  // it is not the image's size.
  void Blend(const Image& image, const SDL_Rect& to);

  // A line one pixel wide, both ends drawn.
  void Line(SDL_Point from, SDL_Point to, Colour colour);

  // Every pixel whose centre lies inside the convex quadrilateral, its corners in order.
  void Quad(const std::array<SDL_FPoint, 4>& corners, Colour colour);

 private:
  Uint32* Row(int y) const;
  Uint32 Map(uint8_t red, uint8_t green, uint8_t blue) const;
  Uint32 Map(Colour colour) const { return Map(Red(colour), Green(colour), Blue(colour)); }
  void Put(int x, int y, Uint32 pixel);
  // An image's pixel laid over one of the surface's, in any layout.
  Uint32 Over(Uint32 over, Uint32 under) const;
  // Part of an image's row laid over part of a row of the surface, from `from` to `to` pixels.
  void BlendSpan(const Uint32* image, Uint32* row, int from, int to) const;
  void CopySpan(const Uint32* image, Uint32* row, int from, int to) const;

  void Stretch(const Image& image, const SDL_Rect& to, const SDL_Rect& area);

  SDL_Surface& surface_;
  const SDL_PixelFormat& format_;
  // The usual surfaces keep their channels where the images do, which saves moving them.
  const bool imageLayout_;
  SDL_Rect clip_;
};

}  // namespace zentor
