# Quimble: set-up, build, run and test in one place. See README.md.
BUILD ?= build
CMAKE_FLAGS ?=
ifeq ($(SANITIZE),1)
  BUILD := build-sanitize
  CMAKE_FLAGS += -DQUIMBLE_SANITIZE=ON
  # The leak checker's tracer dies of a signal ("Tracer caught signal 11") when it walks the thread-local
  # blocks of a library loaded at run time (Qt's image plugins) through its hook of __tls_get_addr, which
  # this glibc no longer suits: without the hook the leak check runs, reading those blocks as static TLS.
  export ASAN_OPTIONS := intercept_tls_get_addr=0
endif
# A new build folder uses Ninja where it is installed: it decides that nothing is to be done in a blink.
ifneq ($(shell command -v ninja),)
  GENERATOR ?= -G Ninja
endif
JOBS ?= $(shell nproc)
ARGS ?=
FUZZ_SECONDS ?= 60
PREFIX ?= /usr/local
DESTDIR ?=
# make's "Entering directory" lines only hide the build's progress.
MAKEFLAGS += --no-print-directory

.PHONY: all deps configure build app run test bench install uninstall deb screenshot fuzz format format-check clean

all: build

deps:
	@scripts/install-deps

# The package check runs once per build folder and again when its package lists change: `make deps`
# repeats it at any time.
$(BUILD)/deps.stamp: scripts/install-deps scripts/fetch-scratch-media
	@scripts/install-deps
	@mkdir -p $(BUILD) && touch $@

$(BUILD)/CMakeCache.txt: | $(BUILD)/deps.stamp
	@echo "Configuring $(BUILD)"
	@cmake -S . -B $(BUILD) $(GENERATOR) $(CMAKE_FLAGS) >/dev/null

configure: $(BUILD)/deps.stamp $(BUILD)/CMakeCache.txt

# Everything: the program, its data folder, the tests and the benchmarks.
build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Only what running needs: the program and its data folder.
app: configure
	@cmake --build $(BUILD) -j $(JOBS) --target quimble res

run: app
	@cd $(BUILD) && exec ./quimble $(ARGS)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 300

bench: configure
	@cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	@scripts/run-bench $(BUILD)

# Installs below $(DESTDIR)$(PREFIX); `make uninstall` (with the same DESTDIR) removes what the last install
# put there.
install: app
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix $(PREFIX)

uninstall:
	@DESTDIR="$(DESTDIR)" cmake --build $(BUILD) --target uninstall

# The Debian package of the program, in the build folder, checked with lintian (errors fail).
deb: app
	@package=$$(scripts/make-deb $(BUILD)) && echo "$$package" && \
	  lintian --fail-on error --suppress-tags arch-dep-package-has-big-usr-share "$$package" 2>/dev/null

# The metainfo's screenshot of the editor, made by the real program under Xvfb, in $(BUILD)/screenshots.
screenshot: configure
	@cmake --build $(BUILD) -j $(JOBS) --target quimble res quimble-e2e-probe
	@scripts/make-screenshot $(BUILD)

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
