#!/usr/bin/env bash
# Code-quality gates: formatting, clang-tidy, cppcheck and the release build with warnings
# as errors. Usage: scripts/check.sh (after scripts/deps.sh test)
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/lib.sh
mapfile -t sources < <(git ls-files '*.cpp' '*.hpp')
# The program's own sources: every folder of them, and no other.
program=(app input motion render common)
mapfile -t product < <(git ls-files "${program[@]/%//*.cpp}")

echo "== clang-format"
clang-format --dry-run --Werror "${sources[@]}"

echo "== release build with warnings as errors"
configure_build ci

echo "== clang-tidy"
# The compile database holds GCC's link-time optimisation flags, which clang ignores.
# clang-tidy 19 also counts the files it processes.
clang-tidy -p build/ci --quiet --extra-arg=-Wno-ignored-optimization-argument "${product[@]}" \
    2> >(grep -v -E '^[0-9]+ warnings generated\.$|^\[[0-9]+/[0-9]+\] Processing file ' >&2)

echo "== cppcheck"
cppcheck --enable=warning,style,performance,portability --error-exitcode=1 --inline-suppr \
    --std=c++17 --language=c++ -I . --suppress=missingIncludeSystem --quiet "${program[@]}"

echo "all gates passed"
