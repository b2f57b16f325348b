# Two entry points for a newcomer: `make run` and `make test`.
BUILD    ?= build
JOBS     ?= $(shell nproc)
PACKAGES := cmake g++ make pkg-config \
            qt6-base-dev qt6-base-dev-tools libgl-dev \
            libhunspell-dev hunspell-en-us libmythes-dev mythes-en-us \
            fonts-liberation2 libbenchmark-dev clang \
            xvfb xauth imagemagick poppler-utils \
            libqt6sql6-sqlite libsqlite3-dev libxlsxwriter-dev zlib1g-dev \
            libqpdf-dev qpdf libsodium-dev libdtl-dev unzip \
            libzip-dev

# What `make package` needs on top of PACKAGES: the Debian packaging tools and
# the checkers of the desktop entry, the AppStream metainfo and the package,
# and xdotool to drive the program under Xvfb when looking at it.
PACKAGING := debhelper dpkg-dev fakeroot lintian appstream desktop-file-utils dex man-db xdotool

.PHONY: all deps package-deps configure build run test bench fuzz check-sanitizers package clean

# The default target only builds: it never installs anything (`make deps`
# does, and `make run` / `make test` run it first).
all: build

deps:
	@tools/install-deps.sh $(PACKAGES)

package-deps: deps
	@tools/install-deps.sh $(PACKAGING)

# ccache, where a developer has it, makes rebuilds in several checkouts cheap.
LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER)

configure: $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: deps
	@$(MAKE) --no-print-directory build
	$(BUILD)/bin/sentrivo $(ARGS)

test: deps
	@$(MAKE) --no-print-directory build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The Debian package, built by debhelper with CMake (not through this
# Makefile), source and binary, then checked; both land in the folder above
# the tree.
# DEB_BUILD_OPTIONS=nocheck leaves the tests out.
package: package-deps
	dpkg-buildpackage -us -uc
	lintian --info ../sentrivo_*_$(shell dpkg --print-architecture).changes

# Explores with the fuzz targets; faults found land in fuzz/regressions/.
FUZZ_SECONDS ?= 180
FUZZ_TARGETS ?= rtf_reader record_file todo_files worksheet_titles backup_files help_markdown asset_import
fuzz: configure
	cmake --build $(BUILD) -j $(JOBS) --target sentrivo_fuzzers
	fuzz/explore.sh $(BUILD) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# Everything built with AddressSanitizer and UndefinedBehaviorSanitizer in a
# build folder of its own, then the whole suite.
SANITIZER_BUILD ?= build-asan
check-sanitizers: deps
	tools/check-sanitizers.sh $(SANITIZER_BUILD) $(JOBS)

bench: build
	@for b in $(BUILD)/bin/bench_*; do echo "== $$b"; QT_QPA_PLATFORM=offscreen $$b; done

clean:
	rm -rf $(BUILD) $(SANITIZER_BUILD)
