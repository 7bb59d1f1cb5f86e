# Convalis: `make run` builds and starts the program under Wine; `make test`
# builds everything and runs every test; `make dist` makes the installer and
# the portable zip in build/dist; `make bench` prints the benchmark's figures.
# All install what is missing first.

NATIVE := build/native
WIN32 := build/win32
# Seconds each fuzzing harness runs, and events the soak sends.
FUZZ_SECONDS ?= 60
SOAK_EVENTS ?= 1000000

.PHONY: all deps native clang win32 run test unit-test e2e-test fuzz soak mutants dist bench format clean

all: native win32

deps:
	@scripts/install-deps.sh

native: deps
	cmake --preset native
	cmake --build --preset native

# The program and its tests built with clang++, which must compile them
# without a warning too; the same build links the libFuzzer harnesses.
clang: deps
	cmake --preset clang
	cmake --build --preset clang

win32: deps
	cmake --preset win32
	cmake --build --preset win32

run: win32
	scripts/run.sh $(WIN32)

unit-test: native
	ctest --preset native

# The end-to-end tests run the real program under Wine on a private display.
e2e-test: win32
	ctest --preset win32 --verbose

# The clang build serves twice: its warnings are errors, and its tests run
# under the sanitizers, replay the fuzzing corpora through the libFuzzer
# harnesses and run a short soak (`make fuzz` and `make soak` run long). The
# gcc side is the Windows build.
test: clang win32
	ctest --preset clang
	ctest --preset win32 --verbose

# Each libFuzzer harness for FUZZ_SECONDS in the fast fuzzing build, then its
# corpus replayed under ASan by the clang build; reproducers stay in build/fuzz.
fuzz: clang
	cmake --preset fuzz
	cmake --build --preset fuzz
	scripts/fuzz.sh $(FUZZ_SECONDS)

# SOAK_EVENTS random events over the whole program, under ASan and UBSan.
soak: native
	$(NATIVE)/bin/convalis-soak --events $(SOAK_EVENTS)

# How many of MUTANTS single-line mutants of the program the native suite
# kills, and which survive; built apart in build/mutants.
MUTANTS ?= 40
mutants: deps
	scripts/mutants.py --count $(MUTANTS)

# The MSI, the zip and the source archive, in build/dist.
dist: win32
	cmake --build --preset win32 --target dist

# Start-up time, memory, size and key latency; it builds what it needs.
bench: deps
	scripts/bench.sh

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
