# Tilemarch: `make run` and `make test` set up a fresh Debian 12 machine, build and
# run; a plain `make` only builds. SANITIZE=1 builds and tests with AddressSanitizer
# and UndefinedBehaviorSanitizer in a build directory of its own. `make fuzz` runs
# every fuzz target for FUZZ_SECONDS each.
JOBS ?= $(shell nproc)
ifeq ($(SANITIZE),1)
BUILD ?= build-asan
CMAKE_FLAGS += -DTILEMARCH_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
else
BUILD ?= build
CMAKE_FLAGS += -DCMAKE_BUILD_TYPE=RelWithDebInfo
endif

.PHONY: all build setup configure run test bench install uninstall deb reproducible screenshot clean fuzz fuzz-build

all: build

setup:
	@bash tools/setup.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

configure: $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: setup
	@$(MAKE) --no-print-directory build
	./$(BUILD)/tilemarch

test: setup
	@$(MAKE) --no-print-directory build fuzz-build
	bash tools/with-display.sh ctest --test-dir $(BUILD) --output-on-failure $(CTEST_FLAGS)

# The fuzz targets need clang and live in build-fuzz whatever SANITIZE says;
# `make test` runs each for a few seconds.
FUZZ_SECONDS ?= 60
build-fuzz/CMakeCache.txt:
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DTILEMARCH_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo

fuzz-build: build-fuzz/CMakeCache.txt
	cmake --build build-fuzz -j $(JOBS) --target fuzz_targets

fuzz: setup
	@$(MAKE) --no-print-directory fuzz-build
	bash tests/fuzz/run.sh build-fuzz $(FUZZ_SECONDS)

bench: setup
	@$(MAKE) --no-print-directory build BUILD=build
	bash tools/run-benchmarks.sh build

# Installs for the desktop (game, data, launcher, menu entry, icon, manual page,
# metainfo) through CMake's install rules; PREFIX is /usr/local unless given,
# DESTDIR stages the whole tree elsewhere, LAYOUT=games puts the command in
# PREFIX/games and the data in PREFIX/share/games as Debian does for games.
# The recipes read the three from their environment, so no path needs quoting.
PREFIX ?= /usr/local
DESTDIR ?=
LAYOUT ?= plain
export PREFIX DESTDIR LAYOUT
absolute_prefix = case "$$PREFIX" in /*) prefix=$$PREFIX ;; *) prefix=$$PWD/$$PREFIX ;; esac

# Only what is installed is built here, not the test suites.
install: configure
	@cmake -S . -B $(BUILD) -DTILEMARCH_GAMES_LAYOUT=$(if $(filter games,$(LAYOUT)),ON,OFF) >/dev/null
	cmake --build $(BUILD) -j $(JOBS) --target tilemarch tilemarch_data tilemarch_icons tilemarch_manual
	@$(absolute_prefix); cmake --install $(BUILD) --prefix "$$prefix"

# Removes exactly what the last install from $(BUILD) listed in its manifest.
uninstall:
	@$(absolute_prefix); cmake -DMANIFEST=$(BUILD)/install_manifest.txt -DROOT="$$DESTDIR$$prefix" -P tools/uninstall.cmake

# The Debian package, built by dpkg-buildpackage from a copy of the source
# tree: $(BUILD)/tilemarch_VERSION_ARCH.deb with its .buildinfo and .changes.
deb: setup
	@bash tools/package/build-deb.sh $(BUILD) $(JOBS)

# Two package builds from two clones, in other directories, at other times and
# with other umasks, compared byte for byte.
reproducible: setup
	@bash tools/package/check-reproducible.sh $(JOBS)

screenshot: configure
	cmake --build $(BUILD) -j $(JOBS) --target tilemarch tilemarch_data
	@bash tools/with-display.sh bash tools/package/screenshot.sh

clean:
	rm -rf build build-asan build-fuzz
