// Drawing the game window's controls from their records: one function for the desktop window
// and the replay tool's screenshots alike.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "playfield/controls.h"
#include "playfield/layout.h"
#include "sdl/pixels.h"
#include "sdl/viewport.h"

namespace zentor {

enum class ButtonId : uint8_t { None, Restart, endgame };

// How the push buttons look in one frame.
struct ButtonLook {
  ButtonId hover = ButtonId::None;     // under the mouse pointer
  ButtonId pressed = ButtonId::None;   // pushed in: held down with the pointer over it
  ButtonId focus = ButtonId::Restart;  // the one that Enter presses, marked with a dotted frame
};

// Rasterised text and ovals, kept between frames so that a frame rasterises no unchanged
// text. Each control (a row of the layout) has one place for its text and one for its oval,
// which a new caption, size or colour takes over: the cache never holds more than one picture
// needs, however often the score or the window's size changes, and a frame that draws only a
// part of the window keeps what the rest shows.
class DrawCache {
 public:
  // Throws std::runtime_error when the font file cannot be opened.
  explicit DrawCache(std::string fontFile);
  ~DrawCache();
  DrawCache(const DrawCache&) = delete;
  DrawCache& operator=(const DrawCache&) = delete;

  size_t TextCount() const;
  uint64_t TextRasterised() const { return textRasterised_; }

  // The caption of the control of layout row `row`. Null for an empty caption, and when out of
  // memory.
  const Image* TextImage(size_t row, std::string_view caption, int pixels, Colour colour,
                         int wrapWidth, bool centred);
  const Image* OvalImage(size_t row, int width, int height, int stroke, FillStyle fill,
                         Colour fillColour);

 private:
  TTF_Font* FontOf(int pixels);
  // Closes the fonts of sizes that no kept text has.
  void CloseUnusedFonts();

  struct TextKey {
    std::string caption;
    int pixels;
    Colour colour;
    int wrapWidth;
    bool centred;
    bool operator==(const TextKey&) const = default;
  };
  struct OvalKey {
    int width;
    int height;
    int stroke;
    FillStyle fill;
    Colour fillColour;
    bool operator==(const OvalKey&) const = default;
  };
  template <class Key>
  struct Kept {
    Key key;
    Image image;
  };

  std::string fontFile_;
  uint64_t textRasterised_ = 0;
  std::map<int, TTF_Font*> fonts_;
  std::array<std::optional<Kept<TextKey>>, kLayoutRows> texts_;
  std::array<std::optional<Kept<OvalKey>>, kLayoutRows> ovals_;
};

// An oval inscribed in width x height pixels with a border of `stroke` pixels in the window-text
// colour, its edges anti-aliased; ARGB with straight alpha. Null when out of memory.
SDL_Surface* MakeOvalSurface(int width, int height, int stroke, FillStyle fill, Colour fillColour);

// Draws the whole window into a surface that Pixels::Usable accepts: bars around the picture,
// the window's colour, every shown control from the bottom of the stacking order up, and the
// shown push buttons above them all.
void DrawForm(SDL_Surface& target, const Form& form, const Viewport& viewport, DrawCache& cache,
              const ButtonLook& buttons = {});

// Draws the window again within some areas of the picture only, each as DrawForm would, and
// leaves every other pixel of the output as it was.
void DrawFormAreas(SDL_Surface& target, const Form& form, const Viewport& viewport,
                   DrawCache& cache, const ButtonLook& buttons, std::span<const SDL_Rect> areas);

// The part of the picture that a row's control may touch when drawn as the form now stands;
// nothing when the control is hidden, has nothing to draw or lies outside the picture.
std::optional<SDL_Rect> DrawnArea(const Form& form, const LayoutRow& row, const Viewport& viewport);

}  // namespace zentor
