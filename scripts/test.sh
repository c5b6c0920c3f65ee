#!/usr/bin/env bash
# Installs what the tests need, builds the program and its tests, and runs the whole suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --tests
scripts/build.sh
cd build
ctest --output-on-failure --parallel "$(nproc)" --timeout 300
