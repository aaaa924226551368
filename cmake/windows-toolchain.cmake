# Cross-building for 64-bit Windows with Debian's mingw-w64: the -posix compilers, whose C++
# library has std::thread, and windres for the resources. Libraries and headers come from the
# compiler's own root and from the prefix that scripts/build-deps fills; programs run here are
# this machine's.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZENTOR_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZENTOR_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZENTOR_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${ZENTOR_MINGW}-windres)

# The libraries' prefix: build-windows/deps/prefix beside this tree unless given.
if(NOT ZENTOR_WINDOWS_DEPS)
  get_filename_component(ZENTOR_WINDOWS_DEPS ${CMAKE_CURRENT_LIST_DIR}/../build-windows/deps/prefix
                         ABSOLUTE)
endif()
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${ZENTOR_MINGW} ${ZENTOR_WINDOWS_DEPS})
list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)
list(APPEND CMAKE_PREFIX_PATH ${ZENTOR_WINDOWS_DEPS})
list(REMOVE_DUPLICATES CMAKE_PREFIX_PATH)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
