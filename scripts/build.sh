#!/usr/bin/env bash
# Configures and builds the program into build/, with its tests unless --no-tests, with the benchmarks only
# when --benchmarks asks for them.
# Usage: scripts/build.sh [--no-tests] [--benchmarks]
set -euo pipefail
cd "$(dirname "$0")/.."
tests=ON
benchmarks=OFF
for arg in "$@"; do
  case "$arg" in
    --no-tests) tests=OFF ;;
    --benchmarks) benchmarks=ON ;;
    *) echo "Unknown option $arg" >&2; exit 2 ;;
  esac
done
cmake -S . -B build -G Ninja -DTAVORIN_BUILD_TESTS=$tests -DTAVORIN_BUILD_BENCHMARKS=$benchmarks >/dev/null
cmake --build build --parallel "$(nproc)"
