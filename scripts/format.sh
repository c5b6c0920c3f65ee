#!/usr/bin/env bash
# Formats every C++ source with clang-format and the project's .clang-format; --check only reports the files
# that differ and fails then.
# Usage: scripts/format.sh [--check]
set -euo pipefail
cd "$(dirname "$0")/.."
mode=(-i)
[[ "${1:-}" == "--check" ]] && mode=(--dry-run --Werror)
find src tests bench tools \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z |
  xargs -0 -n 50 -P "$(nproc)" clang-format --style=file "${mode[@]}"
