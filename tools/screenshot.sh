#!/usr/bin/env bash
# Starts the main window on a virtual X server and saves a PNG of it.
#
#   tools/screenshot.sh [OUTPUT.png] [BUILD_DIR]
#
# OUTPUT defaults to docs/screenshot.png, BUILD_DIR to build; huevane is built
# there first when it is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

out=${1:-docs/screenshot.png}
build=${2:-build}
binary="$build/app/huevane"

for tool in Xvfb xdotool import xdpyinfo; do
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
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

Xvfb "$display" -screen 0 800x600x24 -dpi 96 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    xdpyinfo -display "$display" >/dev/null 2>&1 && break
    sleep 0.1
done

DISPLAY=$display "$binary" &
app_pid=$!

window=$(DISPLAY=$display timeout 20 xdotool search --sync --onlyvisible --name '^Huevane$' | head -n1)
if [ -z "$window" ]; then
    echo "screenshot: the window did not appear" >&2
    exit 1
fi
# Let the first paint reach the server before taking the picture.
sleep 1

mkdir -p "$(dirname "$out")"
DISPLAY=$display import -window "$window" "$out"
echo "$out"
