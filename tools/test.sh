#!/usr/bin/env bash
# Installs what is missing, builds Huevane with warnings as errors and runs every
# test. The last lines printed are CTest's summary.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHUEVANE_WERROR=ON >/dev/null
if ! cmake --build build-test -j"$(nproc)" >build-test/build.log 2>&1; then
    cat build-test/build.log
    exit 1
fi
cd build-test
exec ctest --output-on-failure --timeout 300 -j"$(nproc)"
