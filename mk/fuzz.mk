# Sanitizer and fuzz suites for the portable data code (data/).
#   make fuzz [FUZZ_SECONDS=600]  fuzz every target for a while, one after the other
#   make test-sanitize            native unit and cli tests under AddressSanitizer, UBSan and LeakSanitizer
#   make test-fuzz                replay seeds and regressions, then a fixed run of each target
FUZZ_BUILD := build/fuzz
ASAN_BUILD := build/asan
FUZZ_SECONDS ?= 180
# make test's runs: a fixed seed and a fixed number of runs each, so that a commit gets the
# same verdict on every machine; the counts give each target about half a minute.
FUZZ_SEED := 1
FUZZ_CHECK_RUNS := line_reader:20000 quote_display:40000 settings:20000 module_check:5000 \
	field_encoding:2000000
FUZZ_TARGETS := line_reader quote_display settings module_check field_encoding
FUZZ_RUN := tests/fuzz/run-fuzz.sh $(FUZZ_BUILD)
SANITIZE_FLAGS := -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -O1 -g
SANITIZE_ENV := ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_string_checks=1 \
	UBSAN_OPTIONS=print_stacktrace=1

.PHONY: asan fuzz-targets fuzz test-sanitize test-fuzz

TEST_TARGETS += test-sanitize test-fuzz

asan: deps
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS=$(SANITIZE_FLAGS)" \
		"-DCMAKE_EXE_LINKER_FLAGS=$(SANITIZE_FLAGS)" >/dev/null
	@cmake --build $(ASAN_BUILD) -j$(JOBS)

fuzz-targets: deps
	@CC=clang-14 CXX=clang++-14 cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DADAGIO_FUZZ=ON -DADAGIO_TESTS=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) -j$(JOBS)

fuzz: fuzz-targets
	@$(FUZZ_RUN) fuzz $(FUZZ_SECONDS) $(FUZZ_TARGETS)

test-sanitize: asan
	@echo "== Unit tests (native, ASan + UBSan + LeakSanitizer) =="
	@for suite in unit/unit_tests cli/cli_tests; do \
		name=$$(basename $$suite); log=$(ASAN_BUILD)/$$name.log; \
		if $(SANITIZE_ENV) $(ASAN_BUILD)/tests/$$suite --gtest_brief=1 >$$log 2>&1; then \
			echo "sanitize $$name: $$(sed -n 's/^\[  PASSED  \] \([0-9]*\).*/\1/p' $$log) tests passed, no sanitizer report"; \
		else tail -n 40 $$log; echo "sanitize $$name: FAILED (log: $$log)"; exit 1; fi; \
	done

test-fuzz: fuzz-targets
	@echo "== Fuzz targets: seeds and regressions, then a fixed run of each from seed $(FUZZ_SEED) =="
	@$(FUZZ_RUN) replay $(FUZZ_TARGETS)
	@$(FUZZ_RUN) check $(FUZZ_SEED) $(FUZZ_CHECK_RUNS)
