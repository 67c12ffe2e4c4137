# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (the POSIX thread
# model, which std::thread needs). Every program is linked statically, so that
# it needs no DLL beyond Windows' own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triplet}-windres)

# Libraries and headers come from the MinGW tree and from what the build
# made itself (libpng, GoogleTest), never from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet} ${CMAKE_BINARY_DIR}/third-party)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# FindZLIB would take the import library of zlib1.dll.
set(ZLIB_USE_STATIC_LIBS ON)
set(ZLIB_LIBRARY /usr/${mingw_triplet}/lib/libz.a CACHE FILEPATH "zlib, linked statically")
set(ZLIB_INCLUDE_DIR /usr/${mingw_triplet}/include CACHE PATH "zlib's headers")

# The GCC runtime, the C++ library and the thread library go into each
# program instead of beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# The cross-built programs (the asset generator during the build, the tests)
# run under Wine, in a prefix of the build's own.
set(CMAKE_CROSSCOMPILING_EMULATOR
  ${CMAKE_CURRENT_LIST_DIR}/../tests/windows/wine_run.sh ${CMAKE_BINARY_DIR}/wine-prefix)
