# Front door. `make run` and `make test` install what is missing first.
JOBS    ?= $(shell nproc)
WERROR  ?= OFF
CMAKE   := cmake
TESTENV := ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
           UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: all deps build run test bench golden format format-check install package clean

all: build

deps:
	@scripts/install-deps.sh

# The optimised build takes Debian's hardening flags (fortified functions, stack protector,
# read-only relocations bound at start), as a package built by Debian's own tools would.
HARDENING := DEB_BUILD_MAINT_OPTIONS=hardening=+all
DEB_CXXFLAGS = $(shell $(HARDENING) dpkg-buildflags --get CPPFLAGS) $(shell $(HARDENING) dpkg-buildflags --get CXXFLAGS)
DEB_LDFLAGS = $(shell $(HARDENING) dpkg-buildflags --get LDFLAGS)

build: deps
	$(CMAKE) --preset release -DSHIFT_WERROR=$(WERROR) \
	    -DCMAKE_CXX_FLAGS="$(DEB_CXXFLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(DEB_LDFLAGS)" >/dev/null
	$(CMAKE) --build build/release -j $(JOBS)

# Without a display the window cannot open; the terminal view of this month stands in.
run: build
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	   echo "The window needs a display (DISPLAY is not set); showing this month in the terminal instead."; \
	   build/release/cli/shiftcal month; \
	 elif [ -x build/release/app/shiftschedule ]; then build/release/app/shiftschedule; \
	 else echo "built; the program itself is not there yet"; fi

test: deps
	$(CMAKE) --preset asan -DSHIFT_WERROR=$(WERROR) >/dev/null
	$(CMAKE) --build build/asan -j $(JOBS)
	cd build/asan && $(TESTENV) ctest --output-on-failure -j $(JOBS)

# Rewrites the golden drawing logs under tests/expected/ from the current code;
# review the diff before committing it.
golden: deps
	$(CMAKE) --preset asan -DSHIFT_WERROR=$(WERROR) >/dev/null
	$(CMAKE) --build build/asan -j $(JOBS)
	cd build/asan && SHIFT_UPDATE_GOLDEN=1 $(TESTENV) ctest -L golden --output-on-failure

bench: deps
	$(CMAKE) --preset release -DSHIFT_BUILD_BENCHMARKS=ON \
	    -DCMAKE_CXX_FLAGS="$(DEB_CXXFLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(DEB_LDFLAGS)" >/dev/null
	$(CMAKE) --build build/release -j $(JOBS)
	@scripts/bench-table.py build/release

# PREFIX=/usr/local by default; DESTDIR is honoured as usual.
PREFIX ?= /usr/local
install: build
	DESTDIR=$(DESTDIR) $(CMAKE) --install build/release --prefix $(PREFIX)

package: build
	cd build/release && cpack -G DEB
	@ls build/release/*.deb

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check:
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

clean:
	rm -rf build
