// The labels' face, opened at the pixel sizes the picture needs.
#pragma once

#include <SDL_ttf.h>

#include <compare>
#include <functional>
#include <map>
#include <string>

namespace zentor {

struct FontSize {
  int pixels;
  bool bold;
  auto operator<=>(const FontSize&) const = default;
};

class Fonts {
 public:
  // Throws std::runtime_error when the text renderer cannot start or the file cannot be opened.
  explicit Fonts(std::string file);
  ~Fonts();
  Fonts(const Fonts&) = delete;
  Fonts& operator=(const Fonts&) = delete;

  // The face at that size, opened once; null when it cannot be opened.
  TTF_Font* At(FontSize size);

  // Closes every size that `used` says is no longer needed.
  void CloseUnused(const std::function<bool(FontSize)>& used);

 private:
  std::string file_;
  std::map<FontSize, TTF_Font*> open_;
};

}  // namespace zentor
