#include "picture/cache.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "picture/shapes.h"
#include "picture/surface.h"

namespace zentor {
namespace {

// An oval image is never larger than this on a side; a larger oval is drawn stretched.
constexpr int kMaxOvalSide = 1024;
// Ovals of as many looks as the picture has rows are kept between whole frames: more than any
// picture shows, so that a frame drawn in parts never rasterises what it showed before.
constexpr size_t kMostOvals = kLayoutRows;

}  // namespace

DrawCache::DrawCache(std::string fontFile) : fonts_(std::move(fontFile)) {}

bool DrawCache::ReadyText(int step) {
  // The panel's "Controls Are:" at its size in the picture at scale 1.
  constexpr const char* kCaption = "Controls Are:";
  constexpr double kPoints = 13.5;
  TTF_Font* font = step < 3 ? fonts_.At({FontPixelsAt(kPoints, 1), false}) : nullptr;
  if (!font) {
    return false;
  }
  int width = 0;
  int height = 0;
  if (step == 0) {
    // One glyph loaded: the font's hinting programs run.
    TTF_GlyphMetrics32(font, static_cast<Uint32>(kCaption[0]), nullptr, nullptr, nullptr, nullptr,
                       nullptr);
  } else if (step == 1) {
    // Shaped.
    TTF_SizeUTF8(font, kCaption, &width, &height);
  } else {
    const SurfaceHandle drawn(TTF_RenderUTF8_Blended(font, kCaption, SDL_Color{0, 0, 0, 0xFF}));
  }
  return true;
}

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

void DrawCache::BeginWholeFrame() {
  ++frame_;
}

void DrawCache::EndWholeFrame() {
  std::erase_if(ovals_, [&](const Kept<OvalKey>& oval) { return oval.lastUsed != frame_; });
}

const Image* DrawCache::OvalImage(int width, int height, int stroke, FillStyle fill,
                                  Colour fillColour) {
  const OvalKey key{width, height, stroke, fill, fillColour};
  auto kept = std::find_if(ovals_.begin(), ovals_.end(),
                           [&](const Kept<OvalKey>& oval) { return oval.key == key; });
  if (kept == ovals_.end()) {
    const double shrink =
        std::min(1.0, static_cast<double>(kMaxOvalSide) / std::max(width, height));
    std::optional<Image> oval = Image::From(MakeOvalSurface(
        std::max(1, static_cast<int>(width * shrink)),
        std::max(1, static_cast<int>(height * shrink)),
        std::max(1, static_cast<int>(std::lround(stroke * shrink))), fill, fillColour));
    if (!oval) {
      return nullptr;
    }
    ++ovalsRasterised_;
    if (ovals_.size() == kMostOvals) {
      ovals_.erase(std::min_element(ovals_.begin(), ovals_.end(), [](const auto& a, const auto& b) {
        return a.lastUsed < b.lastUsed;
      }));
    }
    ovals_.push_back({key, std::move(*oval), frame_});
    kept = ovals_.end() - 1;
  }
  kept->lastUsed = frame_;
  return &kept->image;
}

}  // namespace zentor
