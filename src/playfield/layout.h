// The starting layout of the game window: every control's place, size and look, in stacking
// order (row 0 is the topmost). The desktop host draws from these rows and the records alone.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "playfield/controls.h"

namespace zentor {

// Which control of the form a row describes; Line, LegendShape and Rock rows carry an index.
enum class ControlId : uint8_t {
  endgame,
  Restart,
  Timer1,
  Line,
  LegendShape,
  Label1,
  lblfunny,
  high,
  Highscore,
  Start,
  Score,
  lblScore,
  Scorebox,
  Red,
  Rock,
  lblnext,
};

struct LayoutRow {
  ControlId Id;
  int8_t Index;  // Line1 is 1, Shape1 is 1, Rock(0) is 0; unused for single controls
  // Left, Top, Width, Height; for a line X1, Y1, X2, Y2.
  float A;
  float B;
  float C;
  float D;
  bool Visible;
  std::string_view Caption;
  float FontSize;
  Alignment Align;
  BackStyle Back;
  Colour BackColor;
  Colour ForeColor;
  ShapeKind Kind;
  FillStyle Fill;
  Colour FillColor;
  int32_t Interval;
};

inline constexpr int kLayoutRows = 41;
extern const std::array<LayoutRow, kLayoutRows> StartingLayout;

inline constexpr std::string_view kWindowCaption = " Zentor the rocks By: Marbeck";
inline constexpr Colour kWindowBackColour = 0x00808080;
// The system colours of the standard scheme: window text (borders, lines) and button text.
inline constexpr Colour kWindowTextColour = 0x00000000;
inline constexpr Colour kButtonTextColour = 0x00000000;
inline constexpr std::string_view kLabelFace = "MS Sans Serif";
inline constexpr float kClientWidth = 14880;
inline constexpr float kClientHeight = 12315;
inline constexpr float kTwipsPerPixel = 15;

// The window with every control in its starting state.
Form MakeForm();

// Calls visit with the record that a layout row describes (Shape, Line, Label, CommandButton or
// Timer), const when the form is.
template <class F, class Visit>
decltype(auto) WithControl(F& form, const LayoutRow& row, Visit&& visit) {
  switch (row.Id) {
    case ControlId::endgame: return visit(form.endgame);
    case ControlId::Restart: return visit(form.Restart);
    case ControlId::Timer1: return visit(form.Timer1);
    case ControlId::Line: return visit(form.Lines.at(row.Index - 1));
    case ControlId::LegendShape: return visit(form.Shapes.at(row.Index - 1));
    case ControlId::Label1: return visit(form.Label1);
    case ControlId::lblfunny: return visit(form.lblfunny);
    case ControlId::high: return visit(form.high);
    case ControlId::Highscore: return visit(form.Highscore);
    case ControlId::Start: return visit(form.Start);
    case ControlId::Score: return visit(form.Score);
    case ControlId::lblScore: return visit(form.lblScore);
    case ControlId::Scorebox: return visit(form.Scorebox);
    case ControlId::Red: return visit(form.Red);
    case ControlId::Rock: return visit(form.Rock.at(row.Index));
    case ControlId::lblnext: break;
  }
  return visit(form.lblnext);
}

}  // namespace zentor
