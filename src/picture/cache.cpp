#include "picture/cache.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "picture/shapes.h"

namespace zentor {
namespace {

// An oval image is never larger than this on a side; a larger oval is drawn stretched.
constexpr int kMaxOvalSide = 1024;

}  // namespace

DrawCache::DrawCache(std::string fontFile) : fonts_(std::move(fontFile)) {}

size_t DrawCache::TextCount() const {
  return static_cast<size_t>(std::count_if(texts_.begin(), texts_.end(),
                                           [](const auto& text) { return text.has_value(); }));
}

const Image* DrawCache::TextImage(size_t slot, std::string_view caption, Colour colour,
                                  const TextSetting& setting) {
  std::optional<Kept<TextKey>>& kept = texts_.at(slot);
  // Compared field by field, so that a frame that finds its text kept copies no caption.
  if (kept && kept->key.caption == caption && kept->key.colour == colour &&
      kept->key.setting == setting) {
    return &kept->image;
  }
  kept.reset();
  if (!caption.empty()) {
    SetText text = SetCaption(fonts_, caption, colour, setting);
    if (text.image) {
      ++textRasterised_;
      kept.emplace(Kept<TextKey>{{std::string(caption), colour, setting, text.drawn, text.design},
                                 std::move(*text.image)});
    }
  }
  // The fonts of a size still shown stay open, ready for the next caption.
  fonts_.CloseUnused([&](FontSize size) {
    return std::any_of(texts_.begin(), texts_.end(), [&](const auto& text) {
      return text && (text->key.drawn == size || text->key.design == size);
    });
  });
  return kept ? &kept->image : nullptr;
}

const Image* DrawCache::OvalImage(size_t row, int width, int height, int stroke, FillStyle fill,
                                  Colour fillColour) {
  std::optional<Kept<OvalKey>>& kept = ovals_.at(row);
  const OvalKey key{width, height, stroke, fill, fillColour};
  if (kept && kept->key == key) {
    return &kept->image;
  }
  kept.reset();
  const double shrink = std::min(1.0, static_cast<double>(kMaxOvalSide) / std::max(width, height));
  std::optional<Image> oval = Image::From(MakeOvalSurface(
      std::max(1, static_cast<int>(width * shrink)), std::max(1, static_cast<int>(height * shrink)),
      std::max(1, static_cast<int>(std::lround(stroke * shrink))), fill, fillColour));
  if (oval) {
    kept.emplace(Kept<OvalKey>{key, std::move(*oval)});
  }
  return kept ? &kept->image : nullptr;
}

}  // namespace zentor
