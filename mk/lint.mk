# Formatting, cppcheck and clang-tidy; part of make test so the code stays quiet under them.
.PHONY: lint
TEST_TARGETS += lint

lint: deps
	@echo "== Lint: clang-format, cppcheck, clang-tidy =="
	@tools/lint.sh
