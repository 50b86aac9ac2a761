#!/usr/bin/env bash
# Builds everything with warnings as errors, runs the whole test suite, then
# holds the code to the house rules (clang-format, clang-tidy).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset ci >/dev/null
cmake --build --preset ci
ctest --preset ci
scripts/lint.sh build
