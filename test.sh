#!/usr/bin/env bash
# Builds Vellumora with its tests (Debug, AddressSanitizer and
# UndefinedBehaviorSanitizer, into build-test/) and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
source tools/packages.sh
vlm_ensure_packages

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVLM_SANITIZE=ON \
  -DVLM_BUILD_TESTS=ON -DVLM_BUILD_BENCH=OFF >/dev/null
cmake --build build-test
cd build-test
ctest --output-on-failure -j"$(nproc)" "$@"
