# Starquill: `make run` starts the show, `make test` runs every test. Both install missing
# Debian packages first (through sudo when not root) and rebuild only what changed; run them as
# yourself, so that the build belongs to you and the program reaches your display.

BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)

.PHONY: all setup build run test bench package format clean

all: build

setup:
	@scripts/setup.sh

$(BUILD)/CMakeCache.txt: | setup
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release

$(ASAN_BUILD)/CMakeCache.txt: | setup
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DSTARQUILL_SANITIZE=ON -DSTARQUILL_BENCHMARKS=OFF

build: setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD)

run: build
	$(BUILD)/app/starquill

# Every test in the release build (unit and end-to-end), then the unit tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer.
test: build $(ASAN_BUILD)/CMakeCache.txt
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	cmake --build $(ASAN_BUILD)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS) -L unit

bench: build
	@for b in $(BUILD)/bench/*_bench; do $$b --benchmark_min_time=1; done
	bench/exit_bench.sh $(BUILD)/app/starquill
	bench/sound_show_bench.sh $(BUILD)/app/starquill
	bench/vivid_bench.sh $(BUILD)/app/starquill
	bench/record_bench.sh $(BUILD)/app/starquill

# The Debian package, built by CPack into the build folder.
package: build
	cd $(BUILD) && cpack -G DEB

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
