# The browser's OpenGL and OpenAL are Emscripten's own JavaScript libraries,
# linked into each program by flag: targets under the names the desktop's
# libraries have, so that the engine's folders link them alike.
add_library(OpenGL::GL INTERFACE IMPORTED)
# The immediate-mode calls of OpenGL 1.x, emulated over a WebGL 2 context.
target_link_options(OpenGL::GL INTERFACE
  -sLEGACY_GL_EMULATION=1 -sGL_UNSAFE_OPTS=0 -sMAX_WEBGL_VERSION=2 -sMIN_WEBGL_VERSION=2)
add_library(OpenAL::OpenAL INTERFACE IMPORTED)
target_link_options(OpenAL::OpenAL INTERFACE -lopenal)

# JavaScript written inline (EM_ASM) names its arguments $0, $1 and so on.
target_compile_options(sewer_options INTERFACE -Wno-dollar-in-identifier-extension)

# Every program but the game's page runs under Node, during the build and
# the tests, with the machine's files as they are (the tests' scratch
# folders, the corpora, the assets beside them); cmake/WebSite.cmake makes
# the game a page's program instead.
# Their WebAssembly is optimised lightly when linked: the full optimisation
# takes five times as long for every test program and gains them nothing.
add_link_options(-sENVIRONMENT=node -sNODERAWFS=1 -sEXIT_RUNTIME=1 -O1)
