// Where the game's picture lies in a renderer's output: scaled to fit, aspect kept, centred
// between bars, and the conversions between the game's twips and output pixels.
#pragma once

#include <SDL.h>

#include <optional>
#include <utility>

namespace zentor {

// The picture at scale 1: the client area of 14880 x 12315 twips at 15 twips per pixel.
inline constexpr int kPictureWidth = 992;
inline constexpr int kPictureHeight = 821;

// The smallest window, in the picture's proportions, at which every caption is legible: the
// smallest captions ("Controls Are:" and the buttons, 13.5 points) are drawn at 12 pixels, their
// capitals 9 pixels high with a blank between words. Smaller, they drop to 11 pixels and their
// capitals to 8, and the picture is no longer readable.
inline constexpr int kMinimumWindowWidth = 634;
inline constexpr int kMinimumWindowHeight = 525;

struct Viewport {
  int outputWidth = kPictureWidth;  // the whole output, bars included, in pixels
  int outputHeight = kPictureHeight;
  double scale = 1;  // output pixels per pixel of the picture at scale 1
  SDL_Rect picture{0, 0, kPictureWidth, kPictureHeight};

  // The largest picture that fits the output, centred.
  static Viewport Fit(int outputWidth, int outputHeight);

  double X(double twips) const;
  double Y(double twips) const;
  double TwipsX(double pixelX) const;
  double TwipsY(double pixelY) const;

  // The pixels of a control's rectangle, or nothing when it lies wholly outside the picture or
  // is not finite. Its place comes from its left and top edges, each to a pixel by one rule,
  // floor(X(twips) + 0.5), and its size from its width and height alone: from its first pixel at
  // scale 1 to one stroke past the start of its last, so that a border drawn one stroke wide
  // inside it lies on that pixel scaled. A control that moves keeps its size in pixels wherever
  // it stands, so that a rock is one image for the whole game. A rectangle reaching far outside
  // the picture is cut to a margin around it, so that the result always fits an int and
  // anything visible keeps its place.
  std::optional<SDL_Rect> PixelRect(double left, double top, double width, double height) const;

  // As PixelRect, but every edge to a pixel by the edge rule, also the right and the bottom:
  // tiles whose borders share pixels at scale 1, as the key squares do, share one stroke at
  // every scale. Their size depends on where they stand, so only controls that never move use it.
  std::optional<SDL_Rect> TiledRect(double left, double top, double width, double height) const;

  // A line's ends, each the corner of the stroke-wide square its pixel at scale 1 becomes (the
  // edge rule), the line cut where it leaves a margin around the picture; nothing when
  // no part of it comes near the picture or it is not finite.
  std::optional<std::pair<SDL_FPoint, SDL_FPoint>> PixelLine(double x1, double y1, double x2,
                                                             double y2) const;

  // The width of one pixel of the picture at scale 1 (borders, lines), at least one pixel.
  int Stroke() const;

 private:
  // An edge in twips to its pixel by the edge rule, pulled in to the margin around the picture.
  int EdgeX(double twips) const;
  int EdgeY(double twips) const;
};

}  // namespace zentor
