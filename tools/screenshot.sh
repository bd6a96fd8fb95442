#!/usr/bin/env bash
# Starts the main window on a virtual X server and saves a PNG of it.
#
#   tools/screenshot.sh [OUTPUT.png] [BUILD_DIR] [--editor]
#
# OUTPUT defaults to docs/screenshot.png, BUILD_DIR to build; huevane is built
# there first when it is missing. With --editor the gradient editor is opened
# too (Ctrl+G), with the sunset preset in oklch, under the openbox window
# manager, and the picture shows both windows side by side.
set -euo pipefail
cd "$(dirname "$0")/.."

out=${1:-docs/screenshot.png}
build=${2:-build}
editor=${3:-}
binary="$build/app/huevane"

for tool in Xvfb xdotool import xdpyinfo openbox xsetroot; do
    if ! command -v "$tool" >/dev/null; then
        echo "screenshot: $tool is missing (run tools/install-deps.sh)" >&2
        exit 1
    fi
done

if [ ! -x "$binary" ]; then
    cmake -S . -B "$build" >/dev/null
    cmake --build "$build" --target huevane -j"$(nproc)" >/dev/null
fi

display=
for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
        display=":$n"
        break
    fi
done
if [ -z "$display" ]; then
    echo "screenshot: no free X display number" >&2
    exit 1
fi

xvfb_pid=
app_pid=
wm_pid=
config=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
    [ -n "$config" ] && rm -rf "$config"
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

screen=800x600x24
[ "$editor" = --editor ] && screen=1280x800x24
Xvfb "$display" -screen 0 "$screen" -dpi 96 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    xdpyinfo -display "$display" >/dev/null 2>&1 && break
    sleep 0.1
done

wm_pid=
if [ "$editor" = --editor ]; then
    DISPLAY=$display openbox --sm-disable >/dev/null 2>&1 &
    wm_pid=$!
    sleep 1
    DISPLAY=$display xsetroot -solid '#203040'
fi
# Settings of its own: no saved presets of the user's in the picture.
config=$(mktemp -d)
DISPLAY=$display XDG_CONFIG_HOME=$config "$binary" &
app_pid=$!

window=$(DISPLAY=$display timeout 20 xdotool search --sync --onlyvisible --name '^Huevane$' | head -n1)
if [ -z "$window" ]; then
    echo "screenshot: the window did not appear" >&2
    exit 1
fi
# Let the first paint reach the server before taking the picture.
sleep 1

mkdir -p "$(dirname "$out")"
if [ "$editor" = --editor ]; then
    # The sunset preset from the presets list, mixed in oklch; the two windows cut
    # out of the screen's plain background.
    DISPLAY=$display xdotool key ctrl+g
    DISPLAY=$display timeout 20 xdotool search --sync --onlyvisible --name '^Gradient - Huevane$' >/dev/null
    DISPLAY=$display xdotool key alt+p Down Down Return alt+s Down
    sleep 1
    DISPLAY=$display import -window root -trim +repage "$out"
else
    DISPLAY=$display import -window "$window" "$out"
fi
echo "$out"
