// The game's icon as shapes, drawn from its own controls: the grey field with the green score
// panel across its top, a falling wave of rocks in their colours and the player's black square.
// The menus' SVG (zentor-icon) and the window's icon are both drawn from these. No SDL here, so
// that the icon's program builds with the core alone.
#pragma once

#include <array>
#include <vector>

#include "playfield/layout.h"

namespace zentor {

// On a grid of kIconGrid units a side.
inline constexpr int kIconGrid = 256;

struct IconShape {
  enum class Kind { Field, Panel, Disc, Square };
  Kind kind;
  int left;
  int top;
  int width;
  int height;
  Colour fill;
  int stroke;  // a black border this many units wide, or 0
};

// The rounding of the field's and the panel's outer corners.
inline constexpr int kIconCornerRadius = 24;

inline std::vector<IconShape> IconShapes(const Form& form) {
  // The rocks around the square, as the first stage shows them: rock index and centre.
  struct Disc {
    int rock;
    int cx;
    int cy;
  };
  constexpr std::array<Disc, 5> kDiscs = {
      {{0, 58, 98}, {1, 150, 84}, {3, 206, 132}, {5, 70, 188}, {7, 196, 206}}};
  constexpr int kDiscRadius = 26;
  std::vector<IconShape> shapes = {
      {IconShape::Kind::Field, 8, 8, 240, 240, form.BackColor, 4},
      {IconShape::Kind::Panel, 8, 8, 240, 48, form.Scorebox.FillColor, 4},
  };
  for (const Disc& disc : kDiscs) {
    shapes.push_back({IconShape::Kind::Disc, disc.cx - kDiscRadius, disc.cy - kDiscRadius,
                      2 * kDiscRadius, 2 * kDiscRadius, form.Rock[disc.rock].FillColor, 3});
  }
  shapes.push_back({IconShape::Kind::Square, 112, 150, 40, 40, form.Red.FillColor, 0});
  return shapes;
}

}  // namespace zentor
