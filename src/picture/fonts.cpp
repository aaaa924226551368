#include "picture/fonts.h"

#include <stdexcept>
#include <utility>

#include "picture/font_file.h"

namespace zentor {

Fonts::Fonts(std::string file) : file_(std::move(file)) {
  if (TTF_Init() != 0) {
    throw std::runtime_error(std::string("cannot start the text renderer: ") + TTF_GetError());
  }
  constexpr FontSize kProbe{18, false};
  TTF_Font* probe = OpenLabelFont(file_, kProbe.pixels);
  if (!probe) {
    const std::string reason = TTF_GetError();
    TTF_Quit();
    throw std::runtime_error("cannot open the font " + file_ + ": " + reason);
  }
  open_.emplace(kProbe, probe);
}

Fonts::~Fonts() {
  for (auto& [size, font] : open_) {
    TTF_CloseFont(font);
  }
  TTF_Quit();
}

TTF_Font* Fonts::At(FontSize size) {
  auto found = open_.find(size);
  if (found == open_.end()) {
    TTF_Font* font = OpenLabelFont(file_, size.pixels);
    if (!font) {
      return nullptr;
    }
    TTF_SetFontStyle(font, size.bold ? TTF_STYLE_BOLD : TTF_STYLE_NORMAL);
    found = open_.emplace(size, font).first;
  }
  return found->second;
}

void Fonts::CloseUnused(const std::function<bool(FontSize)>& used) {
  std::erase_if(open_, [&](const auto& entry) {
    if (used(entry.first)) {
      return false;
    }
    TTF_CloseFont(entry.second);
    return true;
  });
}

}  // namespace zentor
