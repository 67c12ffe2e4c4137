# Builds for the browser with Debian's Emscripten: WebAssembly, with the
# platform's own settings, plus what every program of the project needs there.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# zlib, libpng and GoogleTest are built for the browser by scripts/web.sh
# into the build's third-party folder, never taken from the build machine.
list(APPEND CMAKE_FIND_ROOT_PATH ${CMAKE_BINARY_DIR}/third-party)

# The engine reports failures as C++ exceptions; Emscripten leaves catching
# them out unless asked.
set(CMAKE_C_FLAGS_INIT "-fexceptions")
set(CMAKE_CXX_FLAGS_INIT "-fexceptions")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fexceptions -sALLOW_MEMORY_GROWTH=1")

# Node's own fetch would take a program's WebAssembly file's path for an
# address: the program reads the file instead.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/env NODE_PATH=/usr/share/nodejs node --no-experimental-fetch
  CACHE STRING "Runs the build's WebAssembly programs" FORCE)
