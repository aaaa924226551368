// zentor-icon OUT.svg: draws the game's icon from its own controls: the grey field, the green
// score panel, the player's black square and a few of the rocks in their colours.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "playfield/layout.h"

namespace {

constexpr int kIconSize = 256;

// &H00BBGGRR to #RRGGBB.
std::string Css(zentor::Colour colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", zentor::Red(colour), zentor::Green(colour),
                zentor::Blue(colour));
  return text;
}

struct Disc {
  int rock;
  int cx;
  int cy;
};

// A falling wave of rocks around the square, as the first stage shows it.
constexpr Disc kDiscs[] = {{0, 58, 98}, {1, 150, 84}, {3, 206, 132}, {5, 70, 188}, {7, 196, 206}};
constexpr int kDiscRadius = 26;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: zentor-icon OUT.svg\n";
    return 2;
  }
  const zentor::Form form = zentor::MakeForm();
  std::ofstream out(argv[1]);
  out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kIconSize << "\" height=\""
      << kIconSize << "\" viewBox=\"0 0 " << kIconSize << ' ' << kIconSize << "\">\n";
  out << "  <rect x=\"8\" y=\"8\" width=\"240\" height=\"240\" rx=\"24\" fill=\""
      << Css(form.BackColor) << "\" stroke=\"#000000\" stroke-width=\"4\"/>\n";
  out << "  <path d=\"M8 56 V32 A24 24 0 0 1 32 8 H224 A24 24 0 0 1 248 32 V56 Z\" fill=\""
      << Css(form.Scorebox.FillColor) << "\" stroke=\"#000000\" stroke-width=\"4\"/>\n";
  for (const Disc& disc : kDiscs) {
    out << "  <circle cx=\"" << disc.cx << "\" cy=\"" << disc.cy << "\" r=\"" << kDiscRadius
        << "\" fill=\"" << Css(form.Rock[disc.rock].FillColor)
        << "\" stroke=\"#000000\" stroke-width=\"3\"/>\n";
  }
  out << "  <rect x=\"112\" y=\"150\" width=\"40\" height=\"40\" fill=\"" << Css(form.Red.FillColor)
      << "\"/>\n";
  out << "</svg>\n";
  out.close();
  if (!out) {
    std::cerr << "zentor-icon: cannot write " << argv[1] << "\n";
    return 1;
  }
  return 0;
}
