// zentor-icon OUT.svg: writes the game's icon, drawn from its own controls, as SVG.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "picture/icon_shapes.h"

namespace {

// &H00BBGGRR to #RRGGBB.
std::string Css(zentor::Colour colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", zentor::Red(colour), zentor::Green(colour),
                zentor::Blue(colour));
  return text;
}

std::string Paint(const zentor::IconShape& shape) {
  std::string paint = " fill=\"" + Css(shape.fill) + "\"";
  if (shape.stroke > 0) {
    paint += " stroke=\"#000000\" stroke-width=\"" + std::to_string(shape.stroke) + "\"";
  }
  return paint + "/>\n";
}

// The panel is the field's top band: its top corners rounded as the field's, its bottom square.
std::string Element(const zentor::IconShape& s) {
  using Kind = zentor::IconShape::Kind;
  const int r = zentor::kIconCornerRadius;
  const auto n = [](int value) { return std::to_string(value); };
  switch (s.kind) {
    case Kind::Field:
      return "  <rect x=\"" + n(s.left) + "\" y=\"" + n(s.top) + "\" width=\"" + n(s.width) +
             "\" height=\"" + n(s.height) + "\" rx=\"" + n(r) + "\"" + Paint(s);
    case Kind::Panel:
      return "  <path d=\"M" + n(s.left) + " " + n(s.top + s.height) + " V" + n(s.top + r) + " A" +
             n(r) + " " + n(r) + " 0 0 1 " + n(s.left + r) + " " + n(s.top) + " H" +
             n(s.left + s.width - r) + " A" + n(r) + " " + n(r) + " 0 0 1 " + n(s.left + s.width) +
             " " + n(s.top + r) + " V" + n(s.top + s.height) + " Z\"" + Paint(s);
    case Kind::Disc:
      return "  <circle cx=\"" + n(s.left + s.width / 2) + "\" cy=\"" + n(s.top + s.height / 2) +
             "\" r=\"" + n(s.width / 2) + "\"" + Paint(s);
    case Kind::Square:
      return "  <rect x=\"" + n(s.left) + "\" y=\"" + n(s.top) + "\" width=\"" + n(s.width) +
             "\" height=\"" + n(s.height) + "\"" + Paint(s);
  }
  return "";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: zentor-icon OUT.svg\n";
    return 2;
  }
  const int side = zentor::kIconGrid;
  // Binary: the same bytes on every system, LF line ends on Windows too.
  std::ofstream out(argv[1], std::ios::binary);
  out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << side << "\" height=\"" << side
      << "\" viewBox=\"0 0 " << side << ' ' << side << "\">\n";
  for (const zentor::IconShape& shape : zentor::IconShapes(zentor::MakeForm())) {
    out << Element(shape);
  }
  out << "</svg>\n";
  out.close();
  if (!out) {
    std::cerr << "zentor-icon: cannot write " << argv[1] << "\n";
    return 1;
  }
  return 0;
}
