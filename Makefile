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

.PHONY: all deps configure build run test bench fuzz check-sanitizers clean

all: build

deps:
	@tools/install-deps.sh $(PACKAGES)

# ccache, where a developer has it, makes rebuilds in several checkouts cheap.
LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER)

configure: deps $(BUILD)/CMakeCache.txt

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/sentrivo $(ARGS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Explores with the fuzz targets; faults found land in fuzz/regressions/.
FUZZ_SECONDS ?= 180
FUZZ_TARGETS ?= rtf_reader record_file
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
