# Two entry points: `make run` starts Lexitar, `make test` runs the test suite.
# Each installs what it needs, builds, and builds the course data first.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: run test setup configure build data bench sanitize

run: data
	cd $(BUILD) && ./lexitar

test: data
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=disk ctest --output-on-failure -j $(JOBS)

setup:
	@bash tools/setup.sh

configure: setup
	@[ -f $(BUILD)/CMakeCache.txt ] || cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

data: build
	@bash tools/build-data.sh $(BUILD)

bench: data
	cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	cd $(BUILD) && for b in bench/bench_*; do [ -x "$$b" ] && "$$b"; done

# AddressSanitizer + UndefinedBehaviorSanitizer build and test run.
sanitize:
	LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp $(MAKE) test BUILD=build-asan CMAKE_FLAGS="-DLEXITAR_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug"
