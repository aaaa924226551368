// The picture's rasterised text and ovals, kept between frames.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "picture/fonts.h"
#include "picture/pixels.h"
#include "picture/text.h"
#include "playfield/controls.h"
#include "playfield/layout.h"

namespace zentor {

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

  size_t TextCount() const;
  uint64_t TextRasterised() const { return textRasterised_; }

  // The caption kept in text slot `slot` (a layout row, or one of the box's slots), set as
  // `setting` says. Null for an empty caption, and when out of memory.
  const Image* TextImage(size_t slot, std::string_view caption, Colour colour,
                         const TextSetting& setting);
  const Image* OvalImage(size_t row, int width, int height, int stroke, FillStyle fill,
                         Colour fillColour);

 private:
  struct TextKey {
    std::string caption;
    Colour colour;
    TextSetting setting;
    FontSize drawn;   // the font the caption is drawn in
    FontSize design;  // the font its lines were broken in
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

  Fonts fonts_;
  uint64_t textRasterised_ = 0;
  std::array<std::optional<Kept<TextKey>>, kTextSlots> texts_;
  std::array<std::optional<Kept<OvalKey>>, kLayoutRows> ovals_;
};

}  // namespace zentor
