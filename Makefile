# make run        installs what is missing, builds, starts the program with a simulated mouse
# make test       installs what is missing, builds, runs every test
# make test-asan  the same tests built with AddressSanitizer and UndefinedBehaviorSanitizer
# make test-tsan the same tests built with ThreadSanitizer
# make bench      builds the benchmarks and runs them
# make fuzz       builds the libFuzzer targets with clang into build-fuzz/
# make install    builds and installs under PREFIX (default /usr/local), staged under DESTDIR if set
# make package    builds the Debian package into build/packages/

BUILD      ?= build
ASAN_BUILD ?= build-asan
TSAN_BUILD ?= build-tsan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
PREFIX     ?= /usr/local
DESTDIR    ?=
GENERATOR  := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")

# ccache hits across clones of the tree (CI builds a fresh clone in another folder).
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := true

.PHONY: setup build run test test-asan test-tsan bench fuzz install package clean

setup:
	@bash scripts/setup.sh

build: setup
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

run: build
	QV742_SIM=$${QV742_SIM:-mouse} ./$(BUILD)/qv742-core

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-asan: setup
	@test -f $(ASAN_BUILD)/CMakeCache.txt || cmake -S . -B $(ASAN_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DQV742_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

test-tsan: setup
	@test -f $(TSAN_BUILD)/CMakeCache.txt || cmake -S . -B $(TSAN_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DQV742_SANITIZE_THREAD=ON
	cmake --build $(TSAN_BUILD) -j $(JOBS)
	TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=$(CURDIR)/tests/tsan.supp \
	  ctest --test-dir $(TSAN_BUILD) --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b; done

fuzz: setup
	@test -f $(FUZZ_BUILD)/CMakeCache.txt || CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV742_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix $(PREFIX)

package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD)
