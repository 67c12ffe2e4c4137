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
