# Initial cache of build/fuzz (cmake -C fuzz/fuzz-tree.cmake): the fuzz targets, with libFuzzer's
# coverage in every library as well, so the targets see the code they call.
set(WAVELITH_FUZZ ON CACHE BOOL "Build the fuzz targets (fuzz/)")
set(WAVELITH_COVERAGE "-fsanitize=fuzzer-no-link")
include(${CMAKE_CURRENT_LIST_DIR}/sanitizers.cmake)
