# Two commands do everything on a fresh Debian 12 machine:
#   make run    install what is missing, build, start Tallix
#   make test   the same set-up, then every test
# Plain `make` builds. Other targets: check-sanitize, fuzz, bench, bench-gui,
# format, format-check, install, clean.

BUILD_DIR     ?= build
SANITIZE_DIR  ?= build-sanitize
FUZZ_DIR      ?= build-fuzz
BENCH_DIR     ?= build-bench
BUILD_TYPE    ?= RelWithDebInfo
PREFIX        ?= /usr/local
SECONDS       ?= 60
JOBS          ?= $(shell nproc 2>/dev/null || echo 2)

# Debian packages by purpose; `deps` installs whichever of them are missing.
BUILD_PACKAGES := cmake make g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev \
                  libbenchmark-dev libmuparser-dev fonts-liberation fonts-dejavu-core
CHECK_PACKAGES := clang libclang-rt-14-dev clang-format
GUI_BENCH_PACKAGES := xvfb xauth x11-utils xdotool speedcrunch

# A comma inside $(call ...) arguments would split them; flags spell it $(comma).
comma := ,

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
CMAKE_CONFIGURE = cmake -S . -B $(1) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(2) >/dev/null

.PHONY: all deps deps-check deps-gui-bench configure build run test check-sanitize fuzz \
        bench bench-gui format format-check install clean

all: build

# Installs the named packages that dpkg does not report as installed, with one
# apt-get call; the package lists are refreshed once, only when needed.
define install_missing
	@missing=""; for p in $(1); do \
	  dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get install -y --no-install-recommends $$missing >/dev/null 2>&1 || \
	  { $(SUDO) apt-get update -qq && \
	    DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; }; \
	fi
endef

deps:
	$(call install_missing,$(BUILD_PACKAGES))

deps-check:
	$(call install_missing,$(BUILD_PACKAGES) $(CHECK_PACKAGES))

deps-gui-bench:
	$(call install_missing,$(BUILD_PACKAGES) $(GUI_BENCH_PACKAGES))

configure: deps
	$(call CMAKE_CONFIGURE,$(BUILD_DIR),)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@if [ -x $(BUILD_DIR)/bin/tallix ]; then exec $(BUILD_DIR)/bin/tallix; \
	 else exec $(BUILD_DIR)/bin/tallix-cli; fi

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# Every test again, built by clang with AddressSanitizer and
# UndefinedBehaviorSanitizer. Clang's undefined group also catches a float
# converted to an int that cannot hold it (gcc's leaves float-cast-overflow
# out); the integer group adds lossy implicit conversions. Unsigned overflow
# is left out: it is defined, and hashing wraps on purpose. tests/ubsan.ignore
# lists what is not instrumented, and why.
SANITIZE_FLAGS := -fsanitize=address$(comma)undefined$(comma)integer \
  -fno-sanitize=unsigned-integer-overflow$(comma)unsigned-shift-base \
  -fsanitize-ignorelist=$(CURDIR)/tests/ubsan.ignore -fno-sanitize-recover=all -fno-omit-frame-pointer
check-sanitize: deps-check
	$(call CMAKE_CONFIGURE,$(SANITIZE_DIR),-DTALLIX_BUILD_BENCH=OFF -DCMAKE_CXX_COMPILER=clang++ \
	  "-DCMAKE_CXX_FLAGS=$(SANITIZE_FLAGS)")
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && ASAN_OPTIONS=detect_leaks=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# The fuzzer over the whole calculation, for SECONDS seconds, from fuzz/corpus.
fuzz: deps-check
	$(call CMAKE_CONFIGURE,$(FUZZ_DIR),-DCMAKE_CXX_COMPILER=clang++ -DTALLIX_BUILD_FUZZ=ON \
	  -DTALLIX_BUILD_GUI=OFF -DTALLIX_BUILD_BENCH=OFF \
	  "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link$(comma)address$(comma)undefined -fno-sanitize-recover=all")
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzz_calculation
	rm -rf $(FUZZ_DIR)/corpus && mkdir -p $(FUZZ_DIR)/corpus $(FUZZ_DIR)/artifacts
	$(FUZZ_DIR)/bin/fuzz_calculation $(FUZZ_DIR)/corpus fuzz/corpus \
	  -max_total_time=$(SECONDS) -max_len=512 -timeout=5 -rss_limit_mb=2048 \
	  -artifact_prefix=$(FUZZ_DIR)/artifacts/ -print_final_stats=1

# Speed figures from a Release build of its own, so `build/` keeps its type.
bench: deps
	$(call CMAKE_CONFIGURE,$(BENCH_DIR),-DCMAKE_BUILD_TYPE=Release -DTALLIX_BUILD_GUI=OFF)
	cmake --build $(BENCH_DIR) -j $(JOBS) --target bench_calculation
	$(BENCH_DIR)/bin/bench_calculation

bench-gui: deps-gui-bench build
	bench/gui_startup.sh $(BUILD_DIR)/bin/tallix

FORMAT_FILES = $(shell git ls-files '*.cpp' '*.h')

format:
	clang-format -i $(FORMAT_FILES)

format-check: deps-check
	clang-format --dry-run --Werror $(FORMAT_FILES)

install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR) $(BENCH_DIR)
