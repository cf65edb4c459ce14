#!/usr/bin/env bash
# Start-up and close of the calculator against a bare Qt window (bench/BareWindow.cpp)
# and against the calculator's main window without the calculator (its controls as at
# start-up and nothing else, bench/ControlsWindow.cpp), all built with the same flags
# and run in turn on the offscreen platform from one temporary program folder, with
# the same fonts, home and locale. Prints the median wall and CPU (user + sys) time of
# each and their ratios to the bare window.
#
#   scripts/startup-ratio.sh [runs]      runs: starts of each to time, 20 unless given
#
# BUILD_DIR (default build/release) is configured as a Release build if it is not
# there yet. PROGRAM times another build of the program instead of the one there
# (an older one, to compare). All quit once their first frame is painted (one filter,
# app/QuitAfterFirstFrame.h); the calculator, through BRENTA_QUIT_AFTER_START, which
# only this script sets, saves its files as on any close.
set -euo pipefail
runs="${1:-20}"
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build/release}"
if [[ ! -f "$build/CMakeCache.txt" ]]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Release -DBRENTA_BUILD_TESTS=OFF >/dev/null
fi
cmake --build "$build" --target brenta bare_window controls_window >/dev/null

work="$(mktemp -d "${TMPDIR:-/tmp}/brenta-startup.XXXXXX")"
trap 'rm -rf "$work"' EXIT
folder="$work/Brenta"
mkdir -p "$folder" "$work/home/.config" "$work/cache"
cp "${PROGRAM:-$build/app/brenta}" "$folder/brenta"
cp "$build/app/brenta.png" "$build/bench/bare_window" "$build/bench/controls_window" "$folder/"
cp -r "$build/app/icons" "$folder/"

# One environment for all: nothing of the caller's desktop, settings or caches.
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
controls=("$folder/controls_window")
# One untimed start of each: the first writes the player's files, as any later start finds them.
timed "${app[@]}" >/dev/null
timed "${bare[@]}" >/dev/null
timed "${controls[@]}" >/dev/null

: >"$work/app.txt"
: >"$work/bare.txt"
: >"$work/controls.txt"
for ((i = 0; i < runs; ++i)); do
    # Which goes first turns round, so a drift in the machine's load falls on all three.
    case $((i % 3)) in
    0) order=(app bare controls) ;;
    1) order=(bare controls app) ;;
    *) order=(controls app bare) ;;
    esac
    for which in "${order[@]}"; do
        case $which in
        app) timed "${app[@]}" >>"$work/app.txt" ;;
        bare) timed "${bare[@]}" >>"$work/bare.txt" ;;
        controls) timed "${controls[@]}" >>"$work/controls.txt" ;;
        esac
    done
done

column() { cut -d' ' -f"$2" "$work/$1.txt" | median; }
bare_wall="$(column bare 1)"
bare_cpu="$(column bare 2)"
printf 'medians of %d runs each (ms)     wall    cpu   wall/bare cpu/bare\n' "$runs"
for which in app controls bare; do
    case $which in
    app) name="brenta" ;;
    controls) name="its controls alone" ;;
    *) name="bare window" ;;
    esac
    awk -v n="$name" -v w="$(column "$which" 1)" -v c="$(column "$which" 2)" -v bw="$bare_wall" -v bc="$bare_cpu" \
        'BEGIN { printf "  %-28s %6s %6s %9.2f %8.2f\n", n, w, c, w / bw, c / bc }'
done
