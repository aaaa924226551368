// The control records of the game window. The controls are the game's only store of positions,
// sizes, captions and visibility: handlers read and write these fields directly.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zentor {

// Colours are written &H00BBGGRR: the low byte is red, the next green, the next blue.
using Colour = uint32_t;

constexpr uint8_t Red(Colour c) {
  return static_cast<uint8_t>(c & 0xFF);
}
constexpr uint8_t Green(Colour c) {
  return static_cast<uint8_t>((c >> 8) & 0xFF);
}
constexpr uint8_t Blue(Colour c) {
  return static_cast<uint8_t>((c >> 16) & 0xFF);
}

enum class ShapeKind : uint8_t { Rectangle, Oval };
// The window's two push buttons, by name; None for neither.
enum class ButtonId : uint8_t { None, Restart, endgame };
enum class FillStyle : uint8_t { Solid, None };
enum class Alignment : uint8_t { Left, Centre };
enum class BackStyle : uint8_t { Opaque, Transparent };

struct Font {
  std::string_view Name;
  float Size;  // points
  bool operator==(const Font&) const = default;
};

// Positions and sizes are twips (1/1440 inch) in the window's client area, single precision.
struct Shape {
  float Left;
  float Top;
  float Width;
  float Height;
  bool Visible;
  ShapeKind Kind;
  FillStyle Fill;
  Colour FillColor;
  bool operator==(const Shape&) const = default;
};

struct Line {
  float X1;
  float Y1;
  float X2;
  float Y2;
  bool Visible;
  bool operator==(const Line&) const = default;
};

struct Label {
  std::string Caption;
  float Left;
  float Top;
  float Width;
  float Height;
  bool Visible;
  Alignment Align;
  BackStyle Back;
  Colour BackColor;
  Colour ForeColor;
  Font TextFont;
  bool operator==(const Label&) const = default;
};

struct CommandButton {
  std::string Caption;
  float Left;
  float Top;
  float Width;
  float Height;
  bool Visible;
  Font TextFont;
  bool operator==(const CommandButton&) const = default;
};

struct Timer {
  int32_t Interval;  // milliseconds
  bool Enabled;
  bool operator==(const Timer&) const = default;
};

inline constexpr int kRockCount = 12;
inline constexpr int kLineCount = 12;
inline constexpr int kLegendShapeCount = 4;

// The window `game` with every control it owns. Lines[0] is Line1, Shapes[0] is Shape1.
struct Form {
  std::string Caption;
  Colour BackColor;
  float ScaleWidth;
  float ScaleHeight;

  CommandButton endgame;
  CommandButton Restart;
  Timer Timer1;
  std::array<Line, kLineCount> Lines;
  std::array<Shape, kLegendShapeCount> Shapes;
  Label Label1;
  Label lblfunny;
  Label high;
  Label Highscore;
  Label Start;
  Label Score;
  Label lblScore;
  Shape Scorebox;
  Shape Red;
  std::array<Shape, kRockCount> Rock;
  Label lblnext;
};

}  // namespace zentor
