# cmake -DFONT=F.ttf -DOUTPUT=F.cpp -P embed-font.cmake: the font's bytes as a C++ array, so that
# the program carries its labels' face and looks for no file (src/picture/windows/font_file.cpp).
file(READ ${FONT} hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Sixteen bytes a line.
string(REGEX REPLACE "((0x..,){16})" "\\1\n" bytes "${bytes}")
get_filename_component(name ${FONT} NAME)
file(WRITE ${OUTPUT} "// ${name}, written by cmake/embed-font.cmake.
#include <cstddef>

namespace zentor {

extern const unsigned char kBuiltInFont[] = {
${bytes}
};
extern const std::size_t kBuiltInFontSize = sizeof kBuiltInFont;

}  // namespace zentor
")
