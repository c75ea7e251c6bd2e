# Front door. `make test` and `make run` install what is missing, then build.
NATIVE  := build/native
WINDOWS := build/windows
DIST    := build/dist
JOBS    ?= $(shell nproc)

.PHONY: all deps native windows dist test test-native test-windows check-format check-layers run bench clean

all: native windows

deps:
	@bash scripts/install-deps.sh

native: deps
	@cmake -S . -B $(NATIVE) -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

CONFIGURE_WINDOWS = cmake -S . -B $(WINDOWS) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64.cmake -DVELMORA_DIST_DIR=$(CURDIR)/$(DIST) >/dev/null

windows: deps
	@$(CONFIGURE_WINDOWS)
	@cmake --build $(WINDOWS) -j $(JOBS)

# Only what the zip holds is built (every Windows build packs it too).
dist: deps
	@$(CONFIGURE_WINDOWS)
	@cmake --build $(WINDOWS) -j $(JOBS) --target dist
	@unzip -l $(DIST)/Velmora-*-windows-x64.zip

test-native: native
	@ctest --test-dir $(NATIVE) --output-on-failure -j $(JOBS)

test-windows: windows
	@scripts/wine-session.sh $(WINDOWS) ctest --test-dir $(WINDOWS) --output-on-failure

check-format: deps
	@scripts/check-format.sh

check-layers:
	@scripts/check-layers.sh

test: check-format check-layers test-native test-windows

run: windows
	@scripts/run-editor.sh $(WINDOWS)

clean:
	rm -rf build
