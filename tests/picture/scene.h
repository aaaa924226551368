// What the picture tests compare against: the window's state read back from a state line, the
// colour that the stacking order puts at a point, and the pixels of a written picture.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "playfield/controls.h"

struct SDL_Surface;

namespace zentor::testing {

// 0xRRGGBB, as pictures store it.
using Rgb = uint32_t;

Rgb RgbOf(Colour colour);

// The starting window with the places, sizes and visibility of a dump's state line applied.
Form FormFromStateLine(const std::string& line);

// The colour of the topmost shown control at a point of the client area (twips), walking the
// starting layout from its first row down; the window's colour where there is none. Nothing
// where the answer depends on how text or edges are drawn: within `margin` twips of any edge
// or line, inside a label (its text may be anywhere in it) or inside a button.
std::optional<Rgb> ExpectedColour(const Form& form, double x, double y, double margin);

class Picture {
 public:
  // Loads a PNG; fails the current test when it cannot.
  explicit Picture(const std::string& path);
  // From pixels in memory, 0xRRGGBB, rows top to bottom.
  Picture(int width, int height, std::vector<Rgb> pixels);

  int Width() const { return width_; }
  int Height() const { return height_; }
  Rgb At(int x, int y) const { return pixels_.at(static_cast<size_t>(y) * width_ + x); }

  // Pixels dark enough to be text, in a rectangle of pixels (clipped to the picture).
  int DarkPixels(int left, int top, int width, int height) const;
  // Pixels of exactly one colour, anywhere.
  int Count(Rgb colour) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Rgb> pixels_;
};

// The pixels of a 32-bit surface drawn by the game's pixel code.
Picture PictureOf(const SDL_Surface& surface);

struct Mismatch {
  int x;
  int y;
  Rgb expected;
  Rgb actual;
};

struct GridCheck {
  int checked = 0;
  std::vector<Mismatch> mismatches;
};

// Compares every `step`-th pixel, mapped to twips with the given scale and offset, with the
// colour that the stacking order expects there.
GridCheck CheckAgainstLayout(const Picture& picture, const Form& form, int step = 5,
                             double pixelsPerPicturePixel = 1, int offsetX = 0, int offsetY = 0);

std::string Describe(const GridCheck& check);

}  // namespace zentor::testing
