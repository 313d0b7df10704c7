# The two commands of the README: `make run` and `make test`. Both install what is missing first.
# `make dist` makes the release packages.
NATIVE := build/native
WIN64 := build/win64
JOBS ?= $(shell nproc)

.PHONY: all deps native win64 test run bench dist clean

# ccache, when installed, compiles both trees. base_dir makes the paths it hashes relative and
# hash_dir off leaves the build folder out of the hash (RelWithDebInfo would put it there), so a
# clone in another folder hits what an earlier one compiled. Found when the recipe runs, after
# deps; empty (no launcher) without it.
LAUNCHER = -DCMAKE_C_COMPILER_LAUNCHER=$$(command -v ccache) -DCMAKE_CXX_COMPILER_LAUNCHER=$$(command -v ccache)
export CCACHE_BASEDIR ?= $(CURDIR)
export CCACHE_NOHASHDIR ?= 1

all: native win64

deps:
	@tools/install-deps.sh

native: deps
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER) -DWAVELITH_DIST_DIR=$(CURDIR)/build/dist >/dev/null
	cmake --build $(NATIVE) -j $(JOBS)

win64: deps
	cmake -S . -B $(WIN64) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release $(LAUNCHER) >/dev/null
	cmake --build $(WIN64) -j $(JOBS)

# The release packages in build/dist: the portable zip, the installer and the winget manifests.
dist: native win64
	cmake --build $(NATIVE) --target dist

# Sanitizer trees (clang): build/asan, the unit tests and wavelith-script with ASan and UBSan;
# build/fuzz, the libFuzzer targets. `make fuzz` runs each target for FUZZ_SECONDS (default 60).
.PHONY: asan fuzz-targets fuzz
asan: deps
	cmake -C fuzz/asan-tree.cmake -S . -B build/asan $(LAUNCHER) >/dev/null
	cmake --build build/asan -j $(JOBS) --target unit_tests wavelith-script

fuzz-targets: deps
	cmake -C fuzz/fuzz-tree.cmake -S . -B build/fuzz $(LAUNCHER) >/dev/null
	cmake --build build/fuzz -j $(JOBS) --target fuzz_targets

fuzz: fuzz-targets
	fuzz/run-fuzz.sh build/fuzz

# Every suite, native and under Wine, through CTest: its summary is the last line.
test: native win64 asan fuzz-targets
	cd $(NATIVE) && ctest --output-on-failure

# DO-Rozude against Lua 5.4 and Python 3 on the same programs, each result checked; the ratios and the worst of each.
bench: native
	bench/run.sh $(NATIVE)/wavelith-script

# The help file is built in the native tree; Wavelith opens it from its own folder.
run: win64 native
	cp $(NATIVE)/quellix.chm $(WIN64)/quellix.chm
	tools/wine-session.sh --interactive $(WIN64)/Wavelith.exe $(ARGS)

clean:
	rm -rf build
