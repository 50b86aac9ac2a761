#!/usr/bin/env bash
# The house rules CI holds the code to: every C++ file as clang-format
# writes it, and the logic (not the windows, not the tests) clean under the
# clang-tidy checks of .clang-tidy. Needs a configured build tree for the
# compile commands (default: build/).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
format=$(command -v clang-format-14 || command -v clang-format)
tidy=$(command -v clang-tidy-14 || command -v clang-tidy)

unformatted=$(git ls-files '*.cpp' '*.h' | while read -r f; do
  "$format" --dry-run --Werror "$f" >/dev/null 2>&1 || echo "$f"
done)
if [ -n "$unformatted" ]; then
  echo "Not formatted (run $format -i on them):"
  echo "$unformatted"
  exit 1
fi
echo "clang-format: every file formatted"

files=$(git ls-files 'src/*.cpp' 'cli/*.cpp' 'tools/*.cpp' | grep -v '/ui/')
if ! echo "$files" | xargs -P "$(nproc)" -n 4 "$tidy" -p "$build" --quiet 2>/dev/null >"$build/clang-tidy.log"; then
  grep -E 'warning:|error:' "$build/clang-tidy.log" || cat "$build/clang-tidy.log"
  exit 1
fi
echo "clang-tidy: $(echo "$files" | wc -l) files clean"
