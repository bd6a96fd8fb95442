#!/usr/bin/env bash
# Builds Huevane optimised and prints every benchmark's figures.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DHUEVANE_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench -j"$(nproc)" >/dev/null

echo "== engine"
build-bench/bench/engine/bench_engine

echo "== huevane-html, 10,000,000 characters in lines of 100, to a file"
bench/engine/bench_cli.sh build-bench/cli/huevane-html

for window_bench in build-bench/bench/window/bench_*; do
    [ -f "$window_bench" ] && [ -x "$window_bench" ] || continue
    echo "== $(basename "$window_bench")"
    QT_QPA_PLATFORM=offscreen "$window_bench"
done

echo "== the window in a real X session (Xvfb, openbox), from each input event until the main thread is idle"
/usr/bin/python3 bench/desktop/bench_desktop.py --huevane build-bench/app/huevane \
    --layout build-bench/tools/layoutjson/huevane-layout --timer build-bench/bench/desktop/inputtimer
echo "== the same with five stops in oklab, set in the gradient editor"
/usr/bin/python3 bench/desktop/bench_desktop.py --huevane build-bench/app/huevane \
    --layout build-bench/tools/layoutjson/huevane-layout --timer build-bench/bench/desktop/inputtimer \
    --rows 4,5 --stops FF461E,FFB347,FF5E3A@40,D62A68@70,5B1A8C --space oklab
