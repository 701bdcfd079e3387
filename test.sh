#!/usr/bin/env bash
# Builds Vellumora with its tests (Debug, AddressSanitizer and
# UndefinedBehaviorSanitizer, into build-test/) and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
source tools/packages.sh
vlm_ensure_packages

# The naming rule of src/README.md, over every source file (a second or two).
python3 tools/check_names.py

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVLM_SANITIZE=ON \
  -DVLM_BUILD_TESTS=ON -DVLM_BUILD_BENCH=OFF >/dev/null
cmake --build build-test

# VLM_TIDY=1: clang-tidy's naming check over the sources this branch changed
# against main (the same rule, with the compiler's view of every name).
if [ "${VLM_TIDY:-0}" = 1 ] && command -v clang-tidy >/dev/null; then
  base=$(git merge-base HEAD main 2>/dev/null || git rev-parse HEAD)
  changed=$(git diff --name-only --diff-filter=AM "$base" -- 'src/*.cpp')
  [ -z "$changed" ] || clang-tidy -p build-test --quiet $changed
fi
cd build-test
ctest --output-on-failure -j"$(nproc)" "$@"
