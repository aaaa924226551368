// Finding the labels' face on this system.
#pragma once

#include <optional>
#include <string>

namespace zentor {

// The file of a scalable font for the labels: their own face if it is installed, else
// "Liberation Sans", else "DejaVu Sans"; nothing when none of them is.
std::optional<std::string> FindLabelFontFile();

// The sentence for a system without any of those faces.
inline constexpr const char* kNoFontSentence =
    "no usable font found (install fonts-liberation2 or fonts-dejavu-core)";

}  // namespace zentor
