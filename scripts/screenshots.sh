#!/usr/bin/env bash
# Screenshots of the real program under a window manager, to look at by eye: every
# window inside its screen, every caption readable. For each screen (1366x768 and
# 1024x600), scale (1x and 2x) and desktop (light, and dark through qt6ct's
# "darker" scheme with the Fusion style) it starts a virtual X server with
# openbox, runs the installed program from a temporary program folder under a
# temporary HOME (nothing of the user's is read or written), and drives it from
# the keyboard: a blueprint, the comparison, a row's context menu, the waste
# graph, the floating button and the build plan, each shot as a PNG of the whole
# screen.
#
# scripts/screenshots.sh [output folder]   (default: a new folder under /tmp)
# Needs Xvfb, openbox, xdotool, imagemagick (import) and qt6ct.
set -euo pipefail

cd "$(dirname "$0")/.."
out="${1:-$(mktemp -d /tmp/brenta-shots.XXXXXX)}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"
work="$(mktemp -d /tmp/brenta-shots-run.XXXXXX)"
xpid=""
wmpid=""
apppid=""
stop() {
    for pid in $apppid $wmpid $xpid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    apppid=""
    wmpid=""
    xpid=""
}
trap 'stop; rm -rf "$work"' EXIT

cmake --build --preset default --target brenta >/dev/null
cmake --install build/default --prefix "$work/program" >/dev/null

# The dark desktop: qt6ct's own "darker" colours and the Fusion style.
mkdir -p "$work/dark/qt6ct"
cat >"$work/dark/qt6ct/qt6ct.conf" <<EOF
[Appearance]
color_scheme_path=/usr/share/qt6ct/colors/darker.conf
custom_palette=true
style=Fusion
icon_theme=hicolor
standard_dialogs=default
EOF

display=":97"
# A blueprint with a long sheet, picked by typing its start in the selector.
blueprint="${BRENTA_SHOT_BLUEPRINT:-Zenithar}"

key() {
    xdotool key --clearmodifiers "$@"
    sleep 0.6
}

shot() {
    sleep 0.8
    import -display "$display" -window root "$out/$1.png"
    echo "$out/$1.png"
}

for screen in 1366x768 1024x600; do
    for scale in 1 2; do
        for desktop in light dark; do
            name="${screen}-${scale}x-${desktop}"
            rm -rf "$work/home" && mkdir -p "$work/home"
            rm -rf "$work/folder" && cp -a "$work/program" "$work/folder"
            Xvfb "$display" -screen 0 "${screen}x24" -nolisten tcp >/dev/null 2>&1 &
            xpid=$!
            sleep 1
            export DISPLAY="$display"
            HOME="$work/home" openbox >/dev/null 2>&1 &
            wmpid=$!
            sleep 1
            env_args=(HOME="$work/home" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale" LANG=C.UTF-8 LC_ALL=C.UTF-8)
            if [[ $desktop == dark ]]; then
                env_args+=(QT_QPA_PLATFORMTHEME=qt6ct XDG_CONFIG_HOME="$work/dark")
            else
                env_args+=(QT_QPA_PLATFORMTHEME= QT_STYLE_OVERRIDE=Fusion XDG_CONFIG_HOME="$work/home/.config")
            fi
            env "${env_args[@]}" "$work/folder/brenta" >"$work/$name.log" 2>&1 &
            apppid=$!
            xdotool search --sync --onlyvisible --class brenta >/dev/null
            sleep 2
            shot "$name-1-start"

            # The selector has the focus: typing a name's start shows that blueprint.
            xdotool type --delay 80 "$blueprint"
            sleep 1
            shot "$name-2-blueprint"

            # Tools, the first entry: the comparison; the window manager closes it.
            key alt+t
            key Return
            shot "$name-3-comparison"
            key alt+F4

            # The first row's price box (two steps on from the last skill), its menu,
            # then "ML vs. Waste" for the graph.
            key alt+i
            key Tab Tab
            key Menu
            shot "$name-4-context-menu"
            key Down
            key Return
            shot "$name-5-graph"
            key alt+F4

            # The floating button (next after the batch size), and back with Escape.
            key alt+a
            key Tab
            key space
            shot "$name-6-floating-button"
            key Escape
            shot "$name-7-back"

            # Tools, "Build Plan" (two entries on: those between are greyed), its
            # tree and shopping list beside the main window.
            key alt+t
            key Down
            key Down
            key Return
            shot "$name-8-build-plan"
            key alt+F4

            stop
        done
    done
done
echo "Screenshots in $out"
