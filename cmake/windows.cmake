# The Windows build's settings, compiled by mingw-w64 (cmake/windows-toolchain.cmake): programs
# linked statically, which need no DLL beyond Windows' own, against the libraries that
# `scripts/build-deps windows` built, and run here under Wine (the `windows` preset's emulator,
# windows/wine-run). A release leaves out the symbol table, a third of a program's size.
add_link_options(-static $<$<CONFIG:Release>:-s>)
# The programs have main of their own, not SDL's.
add_compile_definitions(SDL_MAIN_HANDLED)

# SDL2, SDL2_ttf and SDL2_image from the prefix alone; freetype, harfbuzz, libpng and zlib, which
# their packages look for, are found under the root path.
find_package(SDL2 CONFIG REQUIRED PATHS ${ZENTOR_WINDOWS_DEPS} NO_DEFAULT_PATH
             NO_CMAKE_FIND_ROOT_PATH)
find_package(SDL2_ttf CONFIG REQUIRED PATHS ${ZENTOR_WINDOWS_DEPS} NO_DEFAULT_PATH
             NO_CMAKE_FIND_ROOT_PATH)
find_package(SDL2_image CONFIG REQUIRED PATHS ${ZENTOR_WINDOWS_DEPS} NO_DEFAULT_PATH
             NO_CMAKE_FIND_ROOT_PATH)
# CMake's own module finds freetype for SDL2_ttf without the zlib that it is built on.
find_package(ZLIB REQUIRED)
set_property(TARGET Freetype::Freetype APPEND PROPERTY INTERFACE_LINK_LIBRARIES ZLIB::ZLIB)
