# The two everyday commands: `make run` and `make test`. Both install any missing
# packages first (scripts/install-deps), then configure and build with CMake and Ninja.

RELEASE_DIR := build/release
TEST_DIR    := build/sanitize
FUZZ_DIR    := build/fuzz
FUZZ_SECONDS ?= 120
WERROR      := $(if $(CI),ON,OFF)
JOBS        ?= $(shell nproc 2>/dev/null || echo 2)

PACKAGE_DIR := build/package
WINDOWS_CORE_DIR := build/windows-core
WINDOWS_DIR := build/windows
VERSION     := $(shell grep -o 'VERSION [0-9.]* LANGUAGES' CMakeLists.txt | cut -d' ' -f2)
WINDOWS_CACHE ?= $(HOME)/.cache/vantrell
WINDOWS_QT  := $(WINDOWS_CACHE)/qt-6.4.2-mingw64

.PHONY: all deps run test bench release fuzz package windows windows-test windows-core-test clean

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
	$(MAKE) --no-print-directory windows-core-test
	@if [ -f $(WINDOWS_QT)/.vantrell-complete ]; then \
	    $(MAKE) --no-print-directory windows-test; \
	else \
	    echo "No Qt for Windows in $(WINDOWS_QT) (make windows builds it): make windows-test was not run"; \
	fi
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

# The core (settings, geometry, rasterisers, the files it writes) cross-built for
# 64-bit Windows with MinGW-w64 and its tests run under Wine: minutes, no Qt needed.
windows-core-test: deps
	@if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 || \
	    ! command -v wine >/dev/null 2>&1; then \
	    echo "MinGW-w64 or Wine not found: the Windows core tests were not run"; \
	else \
	    cmake -S . -B $(WINDOWS_CORE_DIR) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw64.cmake \
	          -DCMAKE_BUILD_TYPE=Release -DVANTRELL_CORE_ONLY=ON -DVANTRELL_WERROR=$(WERROR) && \
	    cmake --build $(WINDOWS_CORE_DIR) -j $(JOBS) && \
	    ctest --test-dir $(WINDOWS_CORE_DIR) --output-on-failure; \
	fi

# Vantrell for 64-bit Windows: the portable zip and the installer in build/windows.
# The first run builds Qt for Windows from Debian's source into WINDOWS_CACHE (about
# an hour on two cores); later runs reuse it.
windows: deps
	scripts/build-windows-deps
	cmake -S . -B $(WINDOWS_DIR)/build -G Ninja -DCMAKE_BUILD_TYPE=Release \
	      -DCMAKE_TOOLCHAIN_FILE=$(WINDOWS_QT)/lib/cmake/Qt6/qt.toolchain.cmake \
	      -DQT_CHAINLOAD_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw64.cmake \
	      -DVANTRELL_WINDOWS_DEPS=$(WINDOWS_CACHE)/mingw64-deps \
	      -DVANTRELL_BUILD_TESTS=OFF -DVANTRELL_BUILD_BENCH=OFF -DVANTRELL_WERROR=$(WERROR)
	cmake --build $(WINDOWS_DIR)/build -j $(JOBS)
	rm -rf $(WINDOWS_DIR)/vantrell-$(VERSION)
	cmake --install $(WINDOWS_DIR)/build --prefix $(WINDOWS_DIR)/vantrell-$(VERSION)
	find $(WINDOWS_DIR)/vantrell-$(VERSION) -name '*.dll' -o -name '*.exe' | \
	      xargs x86_64-w64-mingw32-strip --strip-unneeded
	rm -f $(WINDOWS_DIR)/vantrell-$(VERSION)-windows-x64.zip
	cd $(WINDOWS_DIR) && cmake -E tar cf vantrell-$(VERSION)-windows-x64.zip --format=zip \
	      vantrell-$(VERSION)
	scripts/make-windows-installer $(WINDOWS_DIR)/vantrell-$(VERSION) $(VERSION) \
	      $(WINDOWS_DIR)/vantrell-$(VERSION)-setup.exe

# The Windows program under Wine: its pictures against the Linux build's, its window,
# and its installer (scripts/windows-test).
windows-test: windows windows-core-test
	cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVANTRELL_SANITIZE=ON \
	      -DVANTRELL_WERROR=$(WERROR)
	cmake --build $(TEST_DIR) -j $(JOBS) --target vantrell vantrell-render end_to_end_tests
	scripts/windows-test $(WINDOWS_DIR)/vantrell-$(VERSION) \
	      $(WINDOWS_DIR)/vantrell-$(VERSION)-setup.exe $(TEST_DIR)

bench: release
	$(RELEASE_DIR)/bench/vantrell-bench
	$(RELEASE_DIR)/bench/vantrell-export-bench

clean:
	rm -rf build
