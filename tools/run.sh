#!/usr/bin/env bash
# Installs what is missing, builds Huevane and opens its window.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target huevane huevane-html >/dev/null
exec build/app/huevane "$@"
