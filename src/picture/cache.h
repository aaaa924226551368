// The picture's rasterised text and ovals, kept between frames.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// Rasterised text and ovals, kept between frames so that a frame rasterises nothing unchanged.
// Each control (a row of the layout) has one place for its text, which a new caption, size or
// colour takes over; the game-over box's texts have places of their own after the rows. Ovals
// are kept by how they look (size, stroke, colours), so that rocks alike share one image and a
// moving rock is never rasterised again; a frame that draws the whole picture lets go of those
// it did not show. The cache never holds much more than one picture needs, however often the
// score or the window's size changes.
class DrawCache {
 public:
  // Throws std::runtime_error when the font file cannot be opened.
  explicit DrawCache(std::string fontFile);

  size_t TextCount() const;
  uint64_t TextRasterised() const { return textRasterised_; }
  size_t OvalCount() const { return ovals_.size(); }
  uint64_t OvalsRasterised() const { return ovalsRasterised_; }

  // The first caption drawn costs many times any other: the text renderer readies its code and
  // the font's tables on first use. Readies them ahead, one step a call (a glyph loaded, a caption
  // shaped, then drawn), so that a page can give the browser its turn between the steps; false once
  // all are done.
  bool ReadyText(int step);

  // Around a frame that draws every shown control: afterwards only its ovals are kept.
  void BeginWholeFrame();
  void EndWholeFrame();

  // The caption kept in text slot `slot` (a layout row, or one of the box's slots), set as
  // `setting` says. Null for an empty caption, and when out of memory.
  const Image* TextImage(size_t slot, std::string_view caption, Colour colour,
                         const TextSetting& setting);
  // The oval inscribed in width x height pixels, bordered by `stroke` pixels of the window text
  // colour. Null when out of memory.
  const Image* OvalImage(int width, int height, int stroke, FillStyle fill, Colour fillColour);

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
    uint64_t lastUsed = 0;  // the frame that last drew it
  };

  Fonts fonts_;
  uint64_t textRasterised_ = 0;
  uint64_t ovalsRasterised_ = 0;
  uint64_t frame_ = 0;
  std::array<std::optional<Kept<TextKey>>, kTextSlots> texts_;
  std::vector<Kept<OvalKey>> ovals_;
};

}  // namespace zentor
