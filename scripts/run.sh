#!/usr/bin/env bash
# Sets up, builds, installs the calculator into its program folder and launches it.
# The program folder (default ~/Brenta) holds the executable, its icons and the
# player's files; a clean build never touches it.
set -euo pipefail
cd "$(dirname "$0")/.."

prefix="${1:-$HOME/Brenta}"
scripts/setup.sh
cmake --preset default
cmake --build --preset default --target brenta
cmake --install build/default --prefix "$prefix"
exec "$prefix/brenta"
