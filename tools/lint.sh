#!/usr/bin/env bash
# The translations and their glossary, the formatting of every source, then cppcheck and
# clang-tidy on the program's own code: the portable part natively, the Windows part against
# the mingw-w64 headers; then the CI workflow.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

program_dirs=(data framework ui app shell cli)
failed=0
report() {
  if [ "$2" -eq 0 ]; then echo "lint $1: clean"; else echo "lint $1: FAILED"; failed=1; fi
}

# Every translation against the English resources, and the glossary made from them.
python3 tools/glossary.py --check
report glossary $?

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
clang-format --dry-run -Werror "${sources[@]}"
report clang-format $?

# Handlers are reached through message-map template arguments, which cppcheck does not follow.
cppcheck --quiet --error-exitcode=1 --std=c++17 --enable=warning,style,performance,portability \
  --inline-suppr --suppress=missingIncludeSystem --suppress=unusedPrivateFunction \
  -D_WIN32 -Idata -Iframework -Iui -Ishell -Icli "${program_dirs[@]}"
report cppcheck $?

tidy() {
  clang-tidy --quiet --warnings-as-errors='*' "$@" 2>&1 | grep -v 'warnings generated'
  return "${PIPESTATUS[0]}"
}
mingw=/usr/lib/gcc/x86_64-w64-mingw32/$(x86_64-w64-mingw32-g++-win32 -dumpversion)
portable=(data/*.cpp data/posix/*.cpp framework/IntegerText.cpp cli/*.cpp cli/posix/*.cpp)
windows=()
for f in data/win32/*.cpp cli/win32/*.cpp framework/*.cpp ui/*.cpp app/*.cpp shell/*.cpp; do
  [ "$f" = framework/IntegerText.cpp ] || windows+=("$f")
done
tidy "${portable[@]}" -- -std=c++17 -Idata -Iframework -Icli
status=$?
tidy "${windows[@]}" -- --target=x86_64-w64-mingw32 -std=c++17 -nostdinc++ \
  -isystem "$mingw/include/c++" -isystem "$mingw/include/c++/x86_64-w64-mingw32" \
  -isystem /usr/x86_64-w64-mingw32/include -Idata -Iframework -Iui -Ishell -Icli \
  -DWIN32_LEAN_AND_MEAN -DNOMINMAX
report clang-tidy $((status | $?))

# The CI workflow against the schema of GitHub's workflows, with a validator from the npm
# registry kept in the build tree.
validator=build/node/node_modules/.bin/action-validator
[ -x "$validator" ] || npm install --silent --no-audit --no-fund --prefix build/node \
  @action-validator/cli@0.6.0 >/dev/null 2>&1
"$validator" .github/workflows/*.yml >build/action-validator.log 2>&1
status=$?
[ "$status" -eq 0 ] || head -n 60 build/action-validator.log
report action-validator $status
exit $failed
