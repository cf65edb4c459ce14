#!/usr/bin/env bash
# Sets up, builds and runs every test: the default build, then the sanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
for preset in default sanitize; do
    echo "=== $preset"
    cmake --preset "$preset" -DBRENTA_BUILD_TESTS=ON
    cmake --build --preset "$preset"
    ctest --preset "$preset" -j "$(nproc)"
done
