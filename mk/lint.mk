# Formatting, cppcheck, clang-tidy and the CI workflow; part of make test so the code stays quiet under them.
.PHONY: lint
TEST_TARGETS += lint

lint: deps
	@echo "== Lint: clang-format, cppcheck, clang-tidy, action-validator =="
	@tools/lint.sh
