# Build and test entry points; every target installs what it needs first.
NATIVE := build/native
WIN := build/win
JOBS ?= 2
TOOLCHAIN := $(CURDIR)/cmake/mingw-w64-x86_64.cmake

.PHONY: all deps native win win-configure win-program test test-native test-win run clean

# Further suites add themselves to TEST_TARGETS from their own fragment; the fragments come
# first, so the default goal is named.
.DEFAULT_GOAL := all
TEST_TARGETS :=
-include mk/*.mk

all: native win

deps:
	@tools/install-deps.sh

native: deps
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(NATIVE) -j$(JOBS)

win-configure: deps
	@cmake -S . -B $(WIN) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=$(TOOLCHAIN) >/dev/null

win: win-configure
	@cmake --build $(WIN) -j$(JOBS)

# The executables we ship and nothing else: what make run and make dist need.
win-program: win-configure
	@cmake --build $(WIN) -j$(JOBS) --target Adagiomill adgcheck fortune2adg

test-native: native
	@echo "== Unit tests (native) =="
	@ctest --test-dir $(NATIVE) --output-on-failure

test-win: win
	@echo "== Unit and end-to-end tests (Windows build under Wine) =="
	@ADAGIO_BUILD=$(CURDIR)/$(WIN) tools/with-wine.sh ctest --test-dir $(WIN) --output-on-failure

test: test-native test-win $(TEST_TARGETS)

run: win-configure
	@cmake --build $(WIN) -j$(JOBS) --target Adagiomill
	@ADAGIO_BUILD=$(CURDIR)/$(WIN) tools/run.sh

clean:
	rm -rf build
