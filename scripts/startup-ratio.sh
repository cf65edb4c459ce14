#!/usr/bin/env bash
# Start-up and close of the calculator against a bare Qt window (bench/BareWindow.cpp),
# both built with the same flags and run alternately on the offscreen platform from
# one temporary program folder, with the same fonts, home and locale. Prints the
# median wall and CPU (user + sys) time of each and their ratios.
#
#   scripts/startup-ratio.sh [runs]      runs: pairs to time, 20 unless given
#
# BUILD_DIR (default build/release) is configured as a Release build if it is not
# there yet. PROGRAM times another build of the program instead of the one there
# (an older one, to compare). Both quit once their first frame is painted (one filter,
# app/QuitAfterFirstFrame.h); the calculator, through BRENTA_QUIT_AFTER_START, which
# only this script sets, saves its files as on any close.
set -euo pipefail
runs="${1:-20}"
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build/release}"
if [[ ! -f "$build/CMakeCache.txt" ]]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Release -DBRENTA_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target brenta bare_window >/dev/null

work="$(mktemp -d "${TMPDIR:-/tmp}/brenta-startup.XXXXXX")"
trap 'rm -rf "$work"' EXIT
folder="$work/Brenta"
mkdir -p "$folder" "$work/home/.config" "$work/cache"
cp "${PROGRAM:-$build/app/brenta}" "$folder/brenta"
cp "$build/app/brenta.png" "$build/bench/bare_window" "$folder/"
cp -r "$build/app/icons" "$folder/"

# One environment for both: nothing of the caller's desktop, settings or caches.
run_env=(env -i PATH=/usr/bin:/bin LANG=C.UTF-8 HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
    XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work" QT_QPA_PLATFORM=offscreen)

# Prints "wall cpu" in milliseconds for one run of the command.
timed() {
    local TIMEFORMAT='%3R %3U %3S' t
    t="$({ time "${run_env[@]}" "$@" >/dev/null 2>&1; } 2>&1)" || { echo "failed: $*" >&2; exit 1; }
    awk '{ printf "%.0f %.0f\n", $1 * 1000, ($2 + $3) * 1000 }' <<<"$t"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

app=(BRENTA_QUIT_AFTER_START=1 "$folder/brenta")
bare=("$folder/bare_window")
# One untimed start of each: the first writes the player's files, as any later start finds them.
timed "${app[@]}" >/dev/null
timed "${bare[@]}" >/dev/null

: >"$work/app.txt"
: >"$work/bare.txt"
for ((i = 0; i < runs; ++i)); do
    # Which goes first alternates, so a drift in the machine's load falls on both.
    if ((i % 2 == 0)); then
        timed "${app[@]}" >>"$work/app.txt"
        timed "${bare[@]}" >>"$work/bare.txt"
    else
        timed "${bare[@]}" >>"$work/bare.txt"
        timed "${app[@]}" >>"$work/app.txt"
    fi
done

app_wall="$(cut -d' ' -f1 "$work/app.txt" | median)"
app_cpu="$(cut -d' ' -f2 "$work/app.txt" | median)"
bare_wall="$(cut -d' ' -f1 "$work/bare.txt" | median)"
bare_cpu="$(cut -d' ' -f2 "$work/bare.txt" | median)"
printf 'medians of %d paired runs (ms)   wall    cpu\n' "$runs"
printf '  brenta                        %6s %6s\n' "$app_wall" "$app_cpu"
printf '  bare window                   %6s %6s\n' "$bare_wall" "$bare_cpu"
awk -v aw="$app_wall" -v ac="$app_cpu" -v bw="$bare_wall" -v bc="$bare_cpu" \
    'BEGIN { printf "  ratio                         %6.2f %6.2f\n", aw / bw, ac / bc }'
