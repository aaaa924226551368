// Captions set into images: broken into lines where they break at the picture's design size,
// each line rasterised at the largest size that fits its control at the drawn scale.
#pragma once

#include <optional>
#include <string_view>

#include "picture/fonts.h"
#include "picture/pixels.h"
#include "playfield/controls.h"

namespace zentor {

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

struct SetText {
  std::optional<Image> image;  // nothing when a font cannot be opened or memory runs out
  FontSize drawn;              // the font the caption is drawn in
  FontSize design;             // the font its lines were broken in
};

// The caption set as `setting` says: as wide as `setting.width` when centred, else as its
// longest line, the first line at the top.
SetText SetCaption(Fonts& fonts, std::string_view caption, Colour colour,
                   const TextSetting& setting);

// The pixel size of a font of this many points at 96 dots per inch, drawn at `scale`.
int FontPixelsAt(double points, double scale);

}  // namespace zentor
