#!/usr/bin/env bash
# Installs what is missing, builds Huevane and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" >/dev/null
printf 'Sample Text For Gradient Demo\r\nThis time it'"'"'s multiline!!!\r\nTry it out - it'"'"'s even more fun!!!' \
    | build/cli/huevane-html
