#!/usr/bin/env bash
# Builds Vellumora (Release, into build/) and starts it.
set -euo pipefail
cd "$(dirname "$0")"
source tools/packages.sh
vlm_ensure_packages

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DVLM_BUILD_TESTS=OFF -DVLM_BUILD_BENCH=OFF >/dev/null
cmake --build build

if [ -x build/src/app/vellumora ]; then
  exec build/src/app/vellumora "$@"
else
  exec build/src/app/vellumora-cli --help
fi
