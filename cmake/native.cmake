# Native Linux configuration: unit tests over the headless platform.

set(SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
foreach(target tollivor_portable tollivor_headless)
  target_compile_options(${target} PRIVATE ${SANITIZERS})
endforeach()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
tollivor_third_party(${GOOGLETEST_SOURCE} googletest)

file(GLOB UNIT_TEST_SOURCES CONFIGURE_DEPENDS tests/unit/*.cpp)
# The sample host's portable part: its entries file and settings reading.
file(GLOB HOST_CORE_SOURCES CONFIGURE_DEPENDS src/host/core/*.cpp)
add_executable(unit_tests ${UNIT_TEST_SOURCES} ${HOST_CORE_SOURCES} tests/common/FormContract.cpp)
target_compile_options(unit_tests PRIVATE ${SANITIZERS})
target_link_options(unit_tests PRIVATE ${SANITIZERS})
target_include_directories(unit_tests PRIVATE tests)
target_link_libraries(unit_tests PRIVATE tollivor_headless GTest::gtest_main)
include(GoogleTest)
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60)

# The fuzz targets need clang's libFuzzer. They share one copy of the core
# built with the fuzzer's coverage, one program per tests/fuzz/fuzz_*.cpp.
# The forms framework and the control tables are built without coverage:
# they do not read host input, and their branches made the settings target
# (a 60-control form per input) spend most of its time on feedback.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  # Optimised (as libFuzzer's own guide suggests): a million inputs of the
  # settings target take an hour at -O0.
  set(FUZZ_FLAGS -O1 -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all)
  set(FRAME_SOURCES ${PORTABLE_SOURCES} ${HEADLESS_SOURCES})
  list(FILTER FRAME_SOURCES INCLUDE REGEX "/forms/|_controls\\.cpp$|_pages[0-9to]+\\.cpp$")
  set(PARSER_SOURCES ${PORTABLE_SOURCES} ${HEADLESS_SOURCES})
  list(REMOVE_ITEM PARSER_SOURCES ${FRAME_SOURCES})
  add_library(tollivor_fuzz_frame OBJECT ${FRAME_SOURCES})
  target_include_directories(tollivor_fuzz_frame PUBLIC src)
  target_compile_options(tollivor_fuzz_frame PRIVATE -O1 ${SANITIZERS})
  add_library(tollivor_fuzzed STATIC ${PARSER_SOURCES} $<TARGET_OBJECTS:tollivor_fuzz_frame>)
  target_include_directories(tollivor_fuzzed PUBLIC src)
  target_compile_options(tollivor_fuzzed PRIVATE ${FUZZ_FLAGS})
  file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS tests/fuzz/fuzz_*.cpp)
  foreach(source ${FUZZ_SOURCES})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE tollivor_fuzzed)
    target_compile_options(${name} PRIVATE -O1 -fsanitize=fuzzer,address,undefined)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  endforeach()
endif()

file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS bench/*.cpp)
find_package(benchmark QUIET)
if(benchmark_FOUND)
  # Its own optimised copy of the core, without the tests' sanitizers.
  add_executable(benchmarks ${BENCH_SOURCES} ${PORTABLE_SOURCES} ${HEADLESS_SOURCES})
  target_include_directories(benchmarks PRIVATE src)
  target_compile_options(benchmarks PRIVATE -O2)
  target_link_libraries(benchmarks PRIVATE benchmark::benchmark_main)
endif()
