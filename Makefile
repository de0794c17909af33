# Two commands do everything on a fresh Debian 12 machine:
#   make run    install what is missing, build, start Tallix
#   make test   the same set-up, then every test
# Plain `make` builds everything. Other targets: check-sanitize, fuzz, bench, bench-cli,
# bench-gui, mutate, format, format-check, tidy, install, deb, check-package, check-fresh, clean.

BUILD_DIR     ?= build
SANITIZE_DIR  ?= build-sanitize
FUZZ_DIR      ?= build-fuzz
BENCH_DIR     ?= build-bench
DEB_DIR       ?= build-deb
BUILD_TYPE    ?= RelWithDebInfo
PREFIX        ?= /usr/local
SECONDS       ?= 60
JOBS          ?= $(shell nproc 2>/dev/null || echo 2)
# ON makes a warning in Tallix's own code fail the build (CI sets it).
WERROR        ?= OFF

# Debian packages by purpose; `deps` installs whichever of them are missing.
BUILD_PACKAGES := cmake make g++ pkg-config qt6-base-dev qt6-base-private-dev libwayland-dev \
                  wayland-protocols libxcb1-dev libgl-dev libgtest-dev libgmock-dev \
                  libbenchmark-dev libmuparser-dev libedit-dev fonts-liberation fonts-dejavu-core
# Start-up picks Wayland when the session offers it.
RUN_PACKAGES  := qt6-wayland
# What the tests need beyond the build: the real window on Xvfb and on weston
# nested in it (its class read by xprop), read through AT-SPI on a session
# bus as a screen reader does; the validators of the installed tree (menu
# entry, metainfo, manual pages, RUNPATH); GTK's light, dark and high-contrast
# themes, through Qt's gtk3 platform theme.
TEST_PACKAGES := python3 xvfb xauth xdotool x11-utils weston libx11-6 dbus at-spi2-core \
                 python3-pyatspi desktop-file-utils appstream mandoc binutils \
                 qt6-gtk-platformtheme $(RUN_PACKAGES)
CHECK_PACKAGES := clang libclang-rt-14-dev clang-format
TIDY_PACKAGES := clang-tidy
CLI_BENCH_PACKAGES := bc
GUI_BENCH_PACKAGES := xvfb xauth x11-utils xdotool speedcrunch
DEB_PACKAGES := debhelper dpkg-dev lintian git
CHECK_PACKAGE_PACKAGES := xvfb xdotool weston $(RUN_PACKAGES)
FRESH_PACKAGES := debootstrap git

# A comma inside $(call ...) arguments would split them; flags spell it $(comma).
comma := ,

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
CMAKE_CONFIGURE = cmake -S . -B $(1) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DTALLIX_WERROR=$(WERROR) \
                  $(2) >/dev/null

.PHONY: all deps deps-run deps-test deps-check deps-tidy deps-cli-bench deps-gui-bench deps-deb \
        deps-fresh configure build run test check-sanitize fuzz bench bench-cli bench-gui mutate format \
        format-check tidy install deb check-package check-fresh clean

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

# After `deps`, so that two apt-get runs never contend for the lock.
deps-run: deps
	$(call install_missing,$(RUN_PACKAGES))

deps-test: deps
	$(call install_missing,$(TEST_PACKAGES))

deps-check:
	$(call install_missing,$(BUILD_PACKAGES) $(CHECK_PACKAGES))

# After `deps`, as `tidy` configures the build first.
deps-tidy: deps
	$(call install_missing,$(TIDY_PACKAGES))

deps-cli-bench:
	$(call install_missing,$(BUILD_PACKAGES) $(CLI_BENCH_PACKAGES))

deps-gui-bench:
	$(call install_missing,$(BUILD_PACKAGES) $(GUI_BENCH_PACKAGES))

deps-deb:
	$(call install_missing,$(BUILD_PACKAGES) $(DEB_PACKAGES) $(CHECK_PACKAGE_PACKAGES))

deps-fresh:
	$(call install_missing,$(FRESH_PACKAGES))

configure: deps
	$(call CMAKE_CONFIGURE,$(BUILD_DIR),)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

# Only the window program: configuring already put help.htm beside it.
run: deps-run configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target tallix
	exec $(BUILD_DIR)/bin/tallix

# Builds what ctest runs (the tests and the programs they start), not the benchmarks.
test: deps-test configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target tallix_tests
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
	cmake --build $(SANITIZE_DIR) -j $(JOBS) --target tallix_tests
	cd $(SANITIZE_DIR) && ASAN_OPTIONS=detect_leaks=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# Plants small faults in the product code one at a time, in a copy of the
# tree built in $(BUILD_DIR)-mutate, and runs the tests each fault reaches:
# the named faults of tools/planted_faults.json, then FAULTS chosen at random
# by SEED. Exits with 1 when a fault is missed.
FAULTS ?= 60
SEED   ?= 1
mutate: deps-test
	tools/mutate.py $(BUILD_DIR)-mutate --random $(FAULTS) --seed $(SEED) --jobs $(JOBS)

# The fuzzer over the whole calculation for SECONDS seconds, from fuzz/corpus,
# then the one over tallix-cli's line reader for a third of that: its lines
# run far past the small line limit it picks, hence the larger max_len.
fuzz: deps-check
	$(call CMAKE_CONFIGURE,$(FUZZ_DIR),-DCMAKE_CXX_COMPILER=clang++ -DTALLIX_BUILD_FUZZ=ON \
	  -DTALLIX_BUILD_GUI=OFF -DTALLIX_BUILD_BENCH=OFF \
	  "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link$(comma)address$(comma)undefined -fno-sanitize-recover=all")
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzz_calculation fuzz_line_reader
	rm -rf $(FUZZ_DIR)/corpus $(FUZZ_DIR)/lines && \
	  mkdir -p $(FUZZ_DIR)/corpus $(FUZZ_DIR)/lines $(FUZZ_DIR)/artifacts
	$(FUZZ_DIR)/bin/fuzz_calculation $(FUZZ_DIR)/corpus fuzz/corpus \
	  -max_total_time=$(SECONDS) -max_len=512 -timeout=5 -rss_limit_mb=2048 \
	  -artifact_prefix=$(FUZZ_DIR)/artifacts/ -print_final_stats=1
	$(FUZZ_DIR)/bin/fuzz_line_reader $(FUZZ_DIR)/lines \
	  -max_total_time=$$(( $(SECONDS) / 3 + 1 )) -max_len=4096 -timeout=5 -rss_limit_mb=2048 \
	  -artifact_prefix=$(FUZZ_DIR)/artifacts/ -print_final_stats=1

# Speed figures from a Release build of its own, so `build/` keeps its type.
bench: deps
	$(call CMAKE_CONFIGURE,$(BENCH_DIR),-DCMAKE_BUILD_TYPE=Release -DTALLIX_BUILD_GUI=OFF)
	cmake --build $(BENCH_DIR) -j $(JOBS) --target bench_calculation
	$(BENCH_DIR)/bin/bench_calculation

# tallix-cli next to `bc -l` on the same lines, from the same Release build.
bench-cli: deps-cli-bench
	$(call CMAKE_CONFIGURE,$(BENCH_DIR),-DCMAKE_BUILD_TYPE=Release -DTALLIX_BUILD_GUI=OFF)
	cmake --build $(BENCH_DIR) -j $(JOBS) --target tallix-cli
	bench/cli_vs_bc.sh $(BENCH_DIR)/bin/tallix-cli

bench-gui: deps-gui-bench build
	bench/gui_startup.sh $(BUILD_DIR)/bin/tallix

FORMAT_FILES = $(shell git ls-files '*.cpp' '*.h')

format:
	clang-format -i $(FORMAT_FILES)

format-check: deps-check
	clang-format --dry-run --Werror $(FORMAT_FILES)

# clang-tidy with .clang-tidy over the programs' and the benchmarks' sources
# (their headers through its filter), with the main build's compile
# commands; any finding fails. The tests are left to the compiler's warnings.
# Its counts of warnings generated (nearly all in Qt's headers, never shown)
# are dropped.
TIDY_FILES = $(shell git ls-files $(foreach d,engine platform controls ui cli bench,'$(d)/*.cpp'))

tidy: SHELL := /bin/bash
tidy: .SHELLFLAGS := -o pipefail -c
tidy: deps-tidy configure
	printf '%s\n' $(TIDY_FILES) | xargs -P $(JOBS) -n 4 clang-tidy -p $(BUILD_DIR) --quiet 2>&1 | \
	  sed '/^[0-9]* warnings\? generated\.$$/d'

# DESTDIR, from the command line or the environment, stages the installation.
install: configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target tallix tallix-cli
	DESTDIR=$(DESTDIR) cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# The Debian package $(DEB_DIR)/tallix_<version>_<arch>.deb, built from a copy
# of the work tree's files (tracked and new, not ignored) so that neither the
# package nor the build's leftovers land in the work tree or beside it. The
# tests need no display (the window's run on Qt's offscreen platform), but
# are left out by default: `make test` runs them on the same sources, and
# building them doubles the package's build time. DEB_BUILD_OPTIONS= builds
# and runs them in the package build too.
DEB_BUILD_OPTIONS ?= nocheck
deb: deps-deb
	rm -rf $(DEB_DIR) && mkdir -p $(DEB_DIR)/src
	git ls-files -z --cached --others --exclude-standard | \
	  tar --null -T - --ignore-failed-read -cf - | tar -xf - -C $(DEB_DIR)/src
	cd $(DEB_DIR)/src && DEB_BUILD_OPTIONS="$(DEB_BUILD_OPTIONS) parallel=$(JOBS)" \
	  dpkg-buildpackage -b -uc -us $(if $(filter nocheck,$(DEB_BUILD_OPTIONS)),-Pnocheck)
	lintian --fail-on error $(DEB_DIR)/*.changes

# Installs that package with apt-get, tries both programs as installed, purges
# it and checks that nothing of it is left.
check-package: deb
	tests/package/check_package.py $(DEB_DIR)/tallix_*.deb

# The README's two commands on a minimal Debian 12 made by debootstrap, from
# a clone of the current commit, with the README's first line of set-up only.
check-fresh: deps-fresh
	$(SUDO) tests/fresh/check_fresh.sh

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR) $(BENCH_DIR) $(DEB_DIR)
