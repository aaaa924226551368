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

// How a caption is set: its font and the room it has. Its lines break where they break at the
// picture's design size (scale 1), and at any scale those same lines are drawn at the largest
// pixel size at which each fits the room's width and all fit its height, one line below the
// other at the design's line pitch scaled.
struct TextSetting {
  float points = 0;      // the font's size
  int designWidth = 1;   // the room for a line at scale 1, in pixels: where the lines break
  int width = 1;         // the room for a line as drawn, in pixels
  int height = 1;        // the room for all the lines as drawn, in pixels
  double scale = 1;      // the picture's scale, for the font's pixels and the line pitch
  bool centred = false;  // each line centred in `width`, else on the left
  bool bold = false;
  bool operator==(const TextSetting&) const = default;
};

// Text slots beyond the layout's rows, one for each text of the game-over box.
inline constexpr size_t kDialogTitleSlot = kLayoutRows;
inline constexpr size_t kDialogPromptSlot = kLayoutRows + 1;
inline constexpr size_t kDialogOkSlot = kLayoutRows + 2;
inline constexpr size_t kTextSlots = kLayoutRows + 3;

// Rasterised text and ovals, kept between frames so that a frame rasterises no unchanged
// text. Each control (a row of the layout) has one place for its text and one for its oval,
// which a new caption, size or colour takes over: the cache never holds more than one picture
// needs, however often the score or the window's size changes, and a frame that draws only a
// part of the window keeps what the rest shows. The game-over box's texts have places of their
// own after the rows.
class DrawCache {
 public:
  // Throws std::runtime_error when the font file cannot be opened.
  explicit DrawCache(std::string fontFile);
  ~DrawCache();
  DrawCache(const DrawCache&) = delete;
  DrawCache& operator=(const DrawCache&) = delete;

  size_t TextCount() const;
  uint64_t TextRasterised() const { return textRasterised_; }

  // The caption kept in text slot `slot` (a layout row, or one of the box's slots), set as
  // `setting` says: as wide as `setting.width` when centred, else as its longest line, the first
  // line at the top. Null for an empty caption, and when out of memory.
  const Image* TextImage(size_t slot, std::string_view caption, Colour colour,
                         const TextSetting& setting);
  const Image* OvalImage(size_t row, int width, int height, int stroke, FillStyle fill,
                         Colour fillColour);

 private:
  struct FontKey {
    int pixels;
    bool bold;
    auto operator<=>(const FontKey&) const = default;
  };
  TTF_Font* FontOf(FontKey key);
  // Closes the fonts that no kept text is set or broken in.
  void CloseUnusedFonts();
  struct TextKey {
    std::string caption;
    Colour colour;
    TextSetting setting;
    FontKey drawn;   // the font the caption is drawn in
    FontKey design;  // the font its lines were broken in
  };
  // The caption as its key sets it; notes in the key the fonts it took.
  std::optional<Image> Rasterise(TextKey& key);
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
  std::map<FontKey, TTF_Font*> fonts_;
  std::array<std::optional<Kept<TextKey>>, kTextSlots> texts_;
  std::array<std::optional<Kept<OvalKey>>, kLayoutRows> ovals_;
};

// An oval inscribed in width x height pixels with a border of `stroke` pixels in the window-text
// colour, its edges anti-aliased; ARGB with straight alpha. Null when out of memory.
SDL_Surface* MakeOvalSurface(int width, int height, int stroke, FillStyle fill, Colour fillColour);

// The push buttons in the standard scheme, which the game-over box shares.
inline constexpr Colour kButtonFace = 0x00C0C0C0;
inline constexpr Colour kButtonHoverFace = 0x00D8D8D8;
inline constexpr Colour kButtonHighlight = 0x00FFFFFF;
inline constexpr Colour kButtonLight = 0x00DFDFDF;
inline constexpr Colour kButtonShadow = 0x00808080;
inline constexpr Colour kButtonDarkShadow = 0x00000000;

SDL_Rect Inset(const SDL_Rect& r, int by);

// Edges of `stroke` pixels inside the rectangle: the top and left in one colour, the bottom and
// right, drawn over them at the corners, in another.
void DrawEdges(Pixels& pixels, const SDL_Rect& r, int stroke, Colour topLeft, Colour bottomRight);

// A push button's face, bevelled edges and, when it has the focus, dotted frame: everything but
// its caption. Pushed in, the edges swap their light.
void DrawButtonFace(Pixels& pixels, const SDL_Rect& rect, int stroke, bool hover, bool pushed,
                    bool focus);

// An image drawn at (x, y), clipped to `clip` as well as to the pixels' own clip.
void DrawClipped(Pixels& pixels, const Image* image, int x, int y, const SDL_Rect& clip);

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
