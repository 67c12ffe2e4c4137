# Fuzz targets and their corpus replays.
#
# A fuzz target is a source file defining LLVMFuzzerTestOneInput. It is built
# twice over: as a libFuzzer program in a clang build with SEWER_BUILD_FUZZERS
# (see fuzz/CMakeLists.txt), and in every build as a replay test, a plain
# program that runs the same entry point once over every file of its corpus
# directories, so that the seeds and each input that once crashed are checked
# by the ordinary test suite.
include_guard(GLOBAL)

# sewer_add_fuzzer(<name> SOURCES <files> LIBRARIES <libraries>)
function(sewer_add_fuzzer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} sewer::options)
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
endfunction()

# sewer_add_fuzz_replay(<name> SOURCES <files> LIBRARIES <libraries>
#                       CORPUS <directories> [FIXTURES <fixtures that make them>])
function(sewer_add_fuzz_replay name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;CORPUS;FIXTURES" ${ARGN})
  add_executable(${name} ${PROJECT_SOURCE_DIR}/fuzz/replay_main.cpp ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} sewer::options)
  add_test(NAME ${name} COMMAND ${name} ${ARG_CORPUS})
  if(ARG_FIXTURES)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED "${ARG_FIXTURES}")
  endif()
endfunction()
