# Options every target of the project shares, applied through one interface
# target so that third-party code is never compiled with them.
add_library(sewer_options INTERFACE)
add_library(sewer::options ALIAS sewer_options)

target_compile_options(sewer_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
  # Seeded runs must reproduce bit for bit: a fused multiply-add would change
  # the low bits of the float arithmetic that decides the city and the cars.
  -ffp-contract=off)

if(SEWER_WARNINGS_AS_ERRORS)
  target_compile_options(sewer_options INTERFACE -Werror)
endif()

# Adds a portable library target sewer_<name> (alias sewer::<name>) built from
# the given sources, with src/ as its include root.
function(sewer_add_library name)
  add_library(sewer_${name} ${ARGN})
  add_library(sewer::${name} ALIAS sewer_${name})
  target_include_directories(sewer_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(sewer_${name} PUBLIC sewer::options)
endfunction()

# The sanitizer build: every project target checked for memory errors, leaks
# and undefined behaviour. Undefined behaviour stops the program like a
# memory error does, so that a test run cannot pass over it; the frame
# pointers give the leak reports whole stacks.
if(SEWER_SANITIZE)
  target_compile_options(sewer_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(sewer_options INTERFACE -fsanitize=address,undefined)
endif()
