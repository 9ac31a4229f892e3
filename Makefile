# make run   - install what is missing, build, start the editor with the simulated mouse
# make test  - install what is missing, build, run every test (also under ASan/UBSan,
#              the fuzz targets, and the real HID path through a kernel under qemu)
# make build - install what is missing and build
# make bench - time a full read of the simulated mouse against the protocol's floor
# make package - release build and its Debian package, $(BUILD)/vtr6420kd_VERSION_ARCH.deb

BUILD     ?= build
SAN_BUILD ?= build-san
CMAKE_ARGS ?=

.PHONY: all deps configure build test unit-test sanitizer-test run bench clean

all: build

deps:
	@scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_ARGS)

build: configure
	cmake --build $(BUILD)

unit-test: build
	ctest --test-dir $(BUILD) --output-on-failure -j2

sanitizer-test: deps
	cmake -S . -B $(SAN_BUILD) -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
	  -DCMAKE_BUILD_TYPE=Debug -DVTR_SANITIZE=ON -DVTR_FUZZ=ON \
	  -DVTR_BUILD_GUI=OFF -DVTR_BUILD_BENCH=OFF -DVTR_KERNEL_TEST=OFF
	cmake --build $(SAN_BUILD)
	ctest --test-dir $(SAN_BUILD) --output-on-failure -j2

test: unit-test sanitizer-test

run: build
	@if [ -z "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}" ]; then \
	  echo "make run: no display; start a desktop session (or: xvfb-run -s '-screen 0 1024x768x24' make run)" >&2; \
	  exit 1; \
	fi
	$(BUILD)/src/app/vtr6420kd --simulate

bench: build
	$(BUILD)/bench/bench_transfer

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(RELEASE_BUILD)

# The package is built from a release build of its own (no tests or
# benchmarks), so the development build in $(BUILD) keeps its type; the .deb
# goes to $(BUILD). Install it with: sudo apt-get install ./$(BUILD)/vtr6420kd_*.deb
# Warnings are not errors here: the development builds hold that line, and a
# false alarm of the optimiser at -O3 must not stop a release.
RELEASE_BUILD ?= build-release

.PHONY: package

package: deps
	cmake -S . -B $(RELEASE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DVTR_BUILD_TESTS=OFF -DVTR_BUILD_BENCH=OFF -DVTR_KERNEL_TEST=OFF -DVTR_WERROR=OFF \
	  $(CMAKE_ARGS)
	cmake --build $(RELEASE_BUILD)
	mkdir -p $(BUILD)
	cd $(RELEASE_BUILD) && cpack -G DEB -B $(abspath $(BUILD))
	@ls $(BUILD)/vtr6420kd_*.deb
