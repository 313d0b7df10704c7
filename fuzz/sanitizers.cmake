# What the two sanitizer trees share (included by asan-tree.cmake and fuzz-tree.cmake, which
# are given to cmake -C): clang, ASan and UBSan in every library and program. UBSan stops at
# its first finding, so a finding fails a test and is a crash that libFuzzer keeps.
set(CMAKE_C_COMPILER clang CACHE STRING "")
set(CMAKE_CXX_COMPILER clang++ CACHE STRING "")
set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "")
set(WAVELITH_SANITIZERS "${WAVELITH_COVERAGE} -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer")
string(STRIP "${WAVELITH_SANITIZERS}" WAVELITH_SANITIZERS)
set(CMAKE_C_FLAGS "${WAVELITH_SANITIZERS}" CACHE STRING "")
set(CMAKE_CXX_FLAGS "${WAVELITH_SANITIZERS}" CACHE STRING "")
set(CMAKE_EXE_LINKER_FLAGS "-fsanitize=address,undefined" CACHE STRING "")
