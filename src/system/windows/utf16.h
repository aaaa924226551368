// Windows names files and shows text in UTF-16; the game's strings are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace zentor {

std::wstring Utf16(std::string_view text);
std::string Utf8(const wchar_t* text);

}  // namespace zentor
