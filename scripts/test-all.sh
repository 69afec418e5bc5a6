#!/usr/bin/env bash
# Installs what is missing, builds both configurations and runs every test tier:
# native unit tests, the fuzz run, the cross-built tests under Wine and the end-to-end run.
set -eu
repo_root=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo_root"
jobs=$(nproc)

"$repo_root/scripts/setup.sh"

echo "== native build and unit tests"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

echo "== fuzz run"
"$repo_root/scripts/fuzz.sh"

echo "== Windows build and tests under Wine"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
ctest --preset windows

if [ -x "$repo_root/tests/e2e/run.sh" ]; then
    echo "== end-to-end under Wine"
    "$repo_root/tests/e2e/run.sh"
fi
echo "all test tiers passed"
