#!/usr/bin/env bash
# Builds the program and starts it. Extra arguments go to karvo (for example
# --virtual to run against the virtual programmer).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
exec build/bin/karvo "$@"
