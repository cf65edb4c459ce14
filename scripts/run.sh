#!/usr/bin/env bash
# Sets up, builds, installs the calculator into its program folder, registers its
# desktop entry for the user (so it starts from the desktop's menu) and launches it.
# The program folder (default ~/Brenta) holds the executable, its icons and the
# player's files; a clean build never touches it.
set -euo pipefail

# The desktop entry names the executable by its absolute path.
prefix="${1:-$HOME/Brenta}"
mkdir -p "$prefix"
prefix="$(cd "$prefix" && pwd)"
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset default
cmake --build --preset default --target brenta
cmake --install build/default --prefix "$prefix"
applications="${XDG_DATA_HOME:-$HOME/.local/share}/applications"
desktop-file-install --dir="$applications" "$prefix/brenta.desktop"
update-desktop-database "$applications" 2>/dev/null || true
exec "$prefix/brenta"
