# The two everyday commands: `make run` and `make test`. Both install any missing
# packages first (scripts/install-deps), then configure and build with CMake and Ninja.

RELEASE_DIR := build/release
TEST_DIR    := build/sanitize
FUZZ_DIR    := build/fuzz
FUZZ_SECONDS ?= 120
WERROR      := $(if $(CI),ON,OFF)
JOBS        ?= $(shell nproc 2>/dev/null || echo 2)

PACKAGE_DIR := build/package

.PHONY: all deps run test bench release fuzz package clean

all: release

deps:
	@scripts/install-deps

release: deps
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTRELL_WERROR=$(WERROR)
	cmake --build $(RELEASE_DIR) -j $(JOBS)

# Only the program itself: the tests and benchmarks are built by make test and bench.
run: deps
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTRELL_WERROR=$(WERROR)
	cmake --build $(RELEASE_DIR) -j $(JOBS) --target vantrell
	$(RELEASE_DIR)/vantrell

# A Debian package, build/package/vantrell_<version>_<arch>.deb.
package: deps
	cmake -S . -B $(PACKAGE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTRELL_WERROR=$(WERROR) \
	      -DVANTRELL_BUILD_TESTS=OFF -DVANTRELL_BUILD_BENCH=OFF
	cmake --build $(PACKAGE_DIR) -j $(JOBS)
	cd $(PACKAGE_DIR) && cpack

test: deps
	cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVANTRELL_SANITIZE=ON \
	      -DVANTRELL_WERROR=$(WERROR)
	cmake --build $(TEST_DIR) -j $(JOBS)
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(TEST_DIR) --output-on-failure -j $(JOBS)
	@if command -v clang++ >/dev/null 2>&1; then \
	    $(MAKE) --no-print-directory fuzz FUZZ_SECONDS=30; \
	else \
	    echo "clang++ not found: the fuzz targets were not run"; \
	fi

# Each libFuzzer target for FUZZ_SECONDS seconds (clang with its fuzzer runtime).
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	      -DVANTRELL_FUZZ=ON -DVANTRELL_WERROR=$(WERROR)
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	scripts/run-fuzzers $(FUZZ_DIR) $(FUZZ_SECONDS)

bench: release
	$(RELEASE_DIR)/bench/vantrell-bench
	$(RELEASE_DIR)/bench/vantrell-export-bench

clean:
	rm -rf build
