#!/usr/bin/env bash
# Checks that every C++ source of the project is formatted as .clang-format says
# and lists the files that are not; --fix reformats those files in place.
# Usage: scripts/check-format.sh [--fix]
set -euo pipefail
cd "$(dirname "$0")/.."

fix=false
case "${1:-}" in
    "") ;;
    --fix) fix=true ;;
    *) echo "usage: $0 [--fix]" >&2; exit 2 ;;
esac

clang_format=${CLANG_FORMAT:-$(command -v clang-format-14 || command -v clang-format || true)}
if [[ -z "$clang_format" ]]; then
    echo "clang-format not found (scripts/setup.sh installs it)" >&2
    exit 2
fi

# The project's own C++ files; the fuzz seeds and the layer check's fixture are
# inputs, not sources.
mapfile -t files < <(git ls-files -- '*.cpp' '*.h' ':!:fuzz/corpus/**' ':!:tests/CoreLayersFixture/**')

differ=()
for f in "${files[@]}"; do
    "$clang_format" --dry-run -Werror "$f" >/dev/null 2>&1 || differ+=("$f")
done

if ((${#differ[@]} == 0)); then
    echo "format: all ${#files[@]} files as .clang-format says"
    exit 0
fi
if $fix; then
    "$clang_format" -i "${differ[@]}"
    echo "format: reformatted ${#differ[@]} of ${#files[@]} files"
    exit 0
fi
echo "format: ${#differ[@]} of ${#files[@]} files differ from .clang-format (scripts/check-format.sh --fix reformats them):"
printf '  %s\n' "${differ[@]}"
exit 1
