#!/usr/bin/env bash
# Configures and builds the program (and its tests unless --no-tests) into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
tests=ON
[[ "${1:-}" == "--no-tests" ]] && tests=OFF
cmake -S . -B build -G Ninja -DTAVORIN_BUILD_TESTS=$tests -DTAVORIN_BUILD_BENCHMARKS=$tests >/dev/null
cmake --build build --parallel "$(nproc)"
