#!/usr/bin/env bash
# Sets up, builds and runs every test: the format check, the default build, the
# sanitizer build, then a short smoke run of every fuzz target (scripts/fuzz.sh
# runs them longer).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
echo "=== format"
scripts/check-format.sh
for preset in default sanitize; do
    echo "=== $preset"
    cmake --preset "$preset" -DBRENTA_BUILD_TESTS=ON
    cmake --build --preset "$preset"
    ctest --preset "$preset" -j "$(nproc)"
done
echo "=== fuzz"
cmake --preset fuzz
cmake --build --preset fuzz
ctest --preset fuzz -j "$(nproc)"
