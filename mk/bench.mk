# Benchmarks with budgets: `make bench` builds the program and the benchmarks in their own
# trees, runs them and prints one table, also written to docs/performance.md. Not a test
# target: timings depend on the machine and what else runs on it.
.PHONY: bench

bench: deps
	@JOBS=$(JOBS) tests/bench/run-bench.sh
