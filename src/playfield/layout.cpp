#include "playfield/layout.h"

namespace zentor {
namespace {

constexpr Colour kPanelGreen = 0x0000FF00;
constexpr Colour kBannerGreen = 0x00C0FFC0;
constexpr Colour kBlack = 0x00000000;
constexpr float kButtonFontSize = 13.5f;
constexpr float kRockSize = 1095;
constexpr float kRockStartTop = 480;
constexpr float kKeySquareSize = 735;

constexpr LayoutRow Button(ControlId id, float left, float top, float width, float height,
                           std::string_view caption) {
  return {id,           0,     left,   top,     width,       height, false, caption,
          kButtonFontSize, Alignment::Centre, BackStyle::Opaque, kWindowBackColour,
          kButtonTextColour, ShapeKind::Rectangle, FillStyle::None, kBlack, 0};
}

constexpr LayoutRow ClockRow(int32_t interval) {
  return {ControlId::Timer1,  0, 0, 0, 0, 0, false, "", 0, Alignment::Left, BackStyle::Transparent,
          kWindowBackColour, kBlack, ShapeKind::Rectangle, FillStyle::None, kBlack, interval};
}

constexpr LayoutRow LegendLine(int8_t number, float x1, float y1, float x2, float y2) {
  return {ControlId::Line,   number, x1, y1, x2, y2, true, "", 0, Alignment::Left,
          BackStyle::Transparent, kWindowBackColour, kWindowTextColour, ShapeKind::Rectangle,
          FillStyle::None,   kBlack, 0};
}

constexpr LayoutRow KeySquare(int8_t number, float left, float top) {
  return {ControlId::LegendShape, number, left, top, kKeySquareSize, kKeySquareSize, true, "", 0,
          Alignment::Left, BackStyle::Transparent, kWindowBackColour, kBlack,
          ShapeKind::Rectangle, FillStyle::None, kBlack, 0};
}

constexpr LayoutRow TextLabel(ControlId id, float left, float top, float width, float height,
                              bool visible, std::string_view caption, float points,
                              Alignment align, BackStyle back, Colour backColour) {
  return {id,        0,     left, top, width, height, visible, caption, points, align, back,
          backColour, kButtonTextColour, ShapeKind::Rectangle, FillStyle::None, kBlack, 0};
}

constexpr LayoutRow PanelLabel(ControlId id, float left, float top, float width, float height,
                               std::string_view caption, Alignment align) {
  constexpr float kPanelFontSize = 18;
  return TextLabel(id, left, top, width, height, true, caption, kPanelFontSize, align,
                   BackStyle::Opaque, kPanelGreen);
}

constexpr LayoutRow Box(ControlId id, float left, float top, float width, float height,
                        Colour fill) {
  return {id,   0,      left, top, width, height, true, "", 0, Alignment::Left, BackStyle::Opaque,
          kWindowBackColour, kBlack, ShapeKind::Rectangle, FillStyle::Solid, fill, 0};
}

constexpr LayoutRow RockRow(int8_t index, float left, Colour fill) {
  return {ControlId::Rock, index, left, kRockStartTop, kRockSize, kRockSize, true, "", 0,
          Alignment::Left, BackStyle::Opaque, kWindowBackColour, kBlack, ShapeKind::Oval,
          FillStyle::Solid, fill, 0};
}

void Apply(const LayoutRow& row, Shape& shape) {
  shape = {row.A, row.B, row.C, row.D, row.Visible, row.Kind, row.Fill, row.FillColor};
}

void Apply(const LayoutRow& row, Line& line) { line = {row.A, row.B, row.C, row.D, row.Visible}; }

void Apply(const LayoutRow& row, Label& label) {
  label = {std::string(row.Caption), row.A,        row.B,        row.C,
           row.D,                    row.Visible,  row.Align,    row.Back,
           row.BackColor,            row.ForeColor, {kLabelFace, row.FontSize}};
}

void Apply(const LayoutRow& row, CommandButton& button) {
  button = {std::string(row.Caption), row.A,      row.B,
            row.C,                    row.D,      row.Visible,
            {kLabelFace, row.FontSize}};
}

void Apply(const LayoutRow& row, Timer& timer) { timer = {row.Interval, row.Visible}; }

}  // namespace

// Row 0 is the topmost control; the host paints from the last row to the first.
const std::array<LayoutRow, kLayoutRows> StartingLayout = {{
    Button(ControlId::endgame, 7800, 5640, 2535, 1215, "Click me to stop"),
    Button(ControlId::Restart, 3720, 5640, 2535, 1215, "Click me to restart"),
    ClockRow(25),
    LegendLine(12, 7560, 1560, 7800, 1680),
    LegendLine(11, 7560, 1560, 7800, 1440),
    LegendLine(10, 7560, 1560, 8040, 1560),
    LegendLine(9, 9480, 1560, 9240, 1680),
    LegendLine(8, 9480, 1560, 9240, 1440),
    LegendLine(7, 9000, 1560, 9480, 1560),
    LegendLine(6, 8520, 600, 8640, 840),
    LegendLine(5, 8520, 600, 8400, 840),
    LegendLine(4, 8520, 600, 8520, 1080),
    LegendLine(3, 8520, 1800, 8400, 1560),
    LegendLine(2, 8520, 1800, 8640, 1560),
    LegendLine(1, 8520, 1800, 8520, 1320),
    KeySquare(4, 7440, 1200),
    KeySquare(3, 8880, 1200),
    KeySquare(2, 8160, 1200),
    KeySquare(1, 8160, 480),
    TextLabel(ControlId::Label1, 5520, 600, 1815, 495, true, "Controls Are:", 13.5f,
              Alignment::Left, BackStyle::Transparent, kWindowBackColour),
    TextLabel(ControlId::lblfunny, 2280, 7920, 10215, 3855, false,
              "MY GRANDMA IS BETTER THEN YOU", 54, Alignment::Centre, BackStyle::Transparent,
              kWindowBackColour),
    PanelLabel(ControlId::high, 10560, 840, 1935, 495, "0", Alignment::Centre),
    PanelLabel(ControlId::Highscore, 10560, 360, 1935, 495, "High Score", Alignment::Left),
    TextLabel(ControlId::Start, 360, 240, 4095, 1575, true, "PRESS THE SPACE BAR TO START", 24,
              Alignment::Centre, BackStyle::Opaque, kPanelGreen),
    PanelLabel(ControlId::Score, 12840, 360, 1455, 375, "Score", Alignment::Centre),
    PanelLabel(ControlId::lblScore, 12840, 840, 1455, 615, "0", Alignment::Centre),
    Box(ControlId::Scorebox, 0, 0, 14895, 2175, kPanelGreen),
    Box(ControlId::Red, 6840, 7080, 495, 495, kBlack),
    RockRow(9, 10080, 0x0000FFFF),
    RockRow(8, 6480, 0x000080FF),
    RockRow(7, 13560, 0x00800080),
    RockRow(6, 7680, 0x000000FF),
    RockRow(5, 8880, 0x00FF0000),
    RockRow(4, 5280, 0x00C00000),
    RockRow(3, 4080, 0x000000FF),
    RockRow(2, 1560, 0x000080FF),
    RockRow(1, 2880, 0x0000FFFF),
    RockRow(0, 360, 0x0000C000),
    RockRow(11, 11280, 0x00FF0000),
    RockRow(10, 12480, 0x00C00000),
    TextLabel(ControlId::lblnext, 1200, 360, 13095, 1335, true, "LETS MAKE THIS HARDER", 48.75f,
              Alignment::Left, BackStyle::Opaque, kBannerGreen),
}};

Form MakeForm() {
  Form form{};
  form.Caption = std::string(kWindowCaption);
  form.BackColor = kWindowBackColour;
  form.ScaleWidth = kClientWidth;
  form.ScaleHeight = kClientHeight;
  for (const LayoutRow& row : StartingLayout) {
    WithControl(form, row, [&row](auto& control) { Apply(row, control); });
  }
  return form;
}

}  // namespace zentor
