# The browser build's settings, compiled by emscripten: the libraries the page's window links,
# and how a program runs under node (the `web` preset's emulator).

# The core throws and catches; emscripten's prebuilt C++ library supports it with -fexceptions.
# Code for size: the page's module is most of what it sends, and the game's own work is a small
# part of the page's CPU (README).
add_compile_options(-fexceptions -Oz)
add_link_options(-fexceptions -sALLOW_MEMORY_GROWTH=1)

# A program run under node: it reads and writes the machine's files as a desktop program does,
# and its exit status is what main returns.
function(zentor_node_program target)
  target_link_options(${target} PRIVATE -sENVIRONMENT=node -sNODERAWFS=1 -sEXIT_RUNTIME=1)
endfunction()

# SDL2, freetype, harfbuzz and SDL2_ttf, built for the web from Debian's sources by
# scripts/build-deps web.
set(ZENTOR_WEB_DEPS ${PROJECT_SOURCE_DIR}/build-web/deps/prefix CACHE PATH
    "Where scripts/build-deps web installed SDL2, freetype, harfbuzz and SDL2_ttf for the web")
# SDL2 and SDL2_ttf from there alone: emscripten's own SDL2 package would fetch its port of SDL at
# build time. Freetype, which SDL2_ttf's package looks for, is found under the root path.
list(APPEND CMAKE_FIND_ROOT_PATH ${ZENTOR_WEB_DEPS})
find_package(SDL2 CONFIG REQUIRED PATHS ${ZENTOR_WEB_DEPS} NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
find_package(SDL2_ttf CONFIG REQUIRED PATHS ${ZENTOR_WEB_DEPS} NO_DEFAULT_PATH
             NO_CMAKE_FIND_ROOT_PATH)
