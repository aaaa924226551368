#include "picture/font_file.h"

#include <fontconfig/fontconfig.h>

#include <array>
#include <memory>
#include <string_view>

#include "playfield/layout.h"

namespace zentor {
namespace {

struct PatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

// Fontconfig always answers with its best match, often another face: only a match that really
// is the family asked for counts, so that the fallbacks are tried in their order.
std::optional<std::string> InstalledFace(std::string_view family) {
  const Pattern request(FcPatternCreate());
  if (!request) {
    return std::nullopt;
  }
  const std::string name(family);
  const auto* familyName = reinterpret_cast<const FcChar8*>(name.c_str());
  FcPatternAddString(request.get(), FC_FAMILY, familyName);
  FcPatternAddInteger(request.get(), FC_WEIGHT, FC_WEIGHT_REGULAR);
  FcPatternAddInteger(request.get(), FC_SLANT, FC_SLANT_ROMAN);
  FcConfigSubstitute(nullptr, request.get(), FcMatchPattern);
  FcDefaultSubstitute(request.get());
  FcResult result = FcResultNoMatch;
  const Pattern match(FcFontMatch(nullptr, request.get(), &result));
  if (!match || result != FcResultMatch) {
    return std::nullopt;
  }
  FcBool scalable = FcFalse;
  FcChar8* file = nullptr;
  if (FcPatternGetBool(match.get(), FC_SCALABLE, 0, &scalable) != FcResultMatch || !scalable ||
      FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) {
    return std::nullopt;
  }
  FcChar8* matched = nullptr;
  for (int i = 0; FcPatternGetString(match.get(), FC_FAMILY, i, &matched) == FcResultMatch; ++i) {
    if (FcStrCmpIgnoreCase(matched, familyName) == 0) {
      return std::string(reinterpret_cast<const char*>(file));
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> FindLabelFontFile() {
  if (!FcInit()) {
    return std::nullopt;
  }
  constexpr std::array<std::string_view, 3> kFaces = {kLabelFace, "Liberation Sans", "DejaVu Sans"};
  for (const std::string_view face : kFaces) {
    if (auto file = InstalledFace(face)) {
      return file;
    }
  }
  return std::nullopt;
}

TTF_Font* OpenLabelFont(const std::string& file, int pixels) {
  return TTF_OpenFont(file.c_str(), pixels);
}

}  // namespace zentor
