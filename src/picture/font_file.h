// Finding the labels' face on this system, and opening it. Each system has its own file of the
// same name: font_file.cpp on the Linux desktop, web/font_file.cpp in a page and
// windows/font_file.cpp on Windows.
#pragma once

#include <SDL_ttf.h>

#include <optional>
#include <string>

namespace zentor {

// The file of a scalable font for the labels: their own face if it is installed, else
// "Liberation Sans", else "DejaVu Sans"; nothing when none of them is. On Windows the name of the
// face built into the program.
std::optional<std::string> FindLabelFontFile();

// The face that FindLabelFontFile found, at a size in pixels; null, with SDL_ttf's reason, when
// it cannot be opened.
TTF_Font* OpenLabelFont(const std::string& file, int pixels);

// The sentence for a system without any of those faces.
inline constexpr const char* kNoFontSentence =
    "no usable font found (install fonts-liberation2 or fonts-dejavu-core)";

}  // namespace zentor
