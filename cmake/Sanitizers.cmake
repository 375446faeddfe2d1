# Optional instrumented builds, each in a build folder of its own (see build.sh):
#   ORV_SANITIZE  every target with AddressSanitizer and UndefinedBehaviorSanitizer,
#                 stopping at the first report;
#   ORV_FUZZ      the same, plus libFuzzer's coverage, for the fuzz targets of
#                 tests/fuzz (clang only).
option(ORV_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(ORV_FUZZ "Build the libFuzzer targets (clang)" OFF)

if(ORV_SANITIZE OR ORV_FUZZ)
  set(orv_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${orv_sanitizers})
  add_link_options(${orv_sanitizers})
endif()
if(ORV_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "ORV_FUZZ needs clang (libFuzzer)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
