# Quimble: set-up, build, run and test in one place. See README.md.
BUILD ?= build
CMAKE_FLAGS ?=
ifeq ($(SANITIZE),1)
  BUILD := build-sanitize
  CMAKE_FLAGS += -DQUIMBLE_SANITIZE=ON
endif
JOBS ?= $(shell nproc)
ARGS ?=
FUZZ_SECONDS ?= 60

.PHONY: all deps configure build run test bench fuzz format format-check clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt:
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD) && ./quimble $(ARGS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 300

bench: configure
	@cmake --build $(BUILD) -j $(JOBS)
	@scripts/run-bench $(BUILD)

# Runs the fuzz targets of the file readers for FUZZ_SECONDS each (at once), in build-fuzz.
fuzz: deps
	@scripts/run-fuzz $(FUZZ_SECONDS)

SOURCES = $$(git ls-files '*.cpp' '*.h')

format:
	@clang-format -i $(SOURCES)

# Fails, naming every place, when a tracked source is not formatted as .clang-format says.
format-check: deps
	@clang-format --dry-run -Werror $(SOURCES)

clean:
	rm -rf build build-sanitize build-fuzz
