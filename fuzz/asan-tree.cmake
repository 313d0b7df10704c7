# Initial cache of build/asan (cmake -C fuzz/asan-tree.cmake): the native unit tests and
# wavelith-script with ASan and UBSan, which make test runs a second time. clang, which the fuzz
# tree needs anyway, builds this tree in half the time g++ takes with the sanitizers.
set(WAVELITH_SANITIZER_TREE ON CACHE BOOL "A sanitizer tree: registers no tests of its own")
include(${CMAKE_CURRENT_LIST_DIR}/sanitizers.cmake)
