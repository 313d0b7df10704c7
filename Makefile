# The two commands of the README: `make run` and `make test`. Both install what is missing first.
NATIVE := build/native
WIN64 := build/win64
JOBS ?= $(shell nproc)

.PHONY: all deps native win64 test run bench clean

all: native win64

deps:
	@tools/install-deps.sh

native: deps
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(NATIVE) -j $(JOBS)

win64: deps
	cmake -S . -B $(WIN64) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(WIN64) -j $(JOBS)

# Every suite, native and under Wine, through CTest: its summary is the last line.
test: native win64
	cd $(NATIVE) && ctest --output-on-failure

# DO-Rozude against Lua 5.4 and Python 3 on the same small programs.
bench: native
	bench/run.sh $(NATIVE)/wavelith-script

# The help file is built in the native tree; Wavelith opens it from its own folder.
run: win64 native
	cp $(NATIVE)/quellix.chm $(WIN64)/quellix.chm
	tools/wine-session.sh --interactive $(WIN64)/Wavelith.exe $(ARGS)

clean:
	rm -rf build
