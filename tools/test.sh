#!/usr/bin/env bash
# Installs what is missing, then builds Huevane and runs every test three ways:
#   build-asan  every test with AddressSanitizer and UndefinedBehaviorSanitizer
#               (leaks included; only tests/sanitizers/*.supp may be ignored),
#   build-fuzz  the fuzz targets with libFuzzer for a minute each, where clang is
#               installed (tools/install-deps.sh installs it),
#   build-test  every test in the build we ship (Release, as tools/run.sh and the
#               package build it), with warnings as errors.
# The normal build's tests run last, so the last lines printed are CTest's
# summary; the exit status is non-zero when any test of any run failed.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
tools/install-deps.sh

# Configures and builds one folder; prints the log only when that fails.
build() {
    local dir=$1
    shift
    mkdir -p "$dir"
    if ! { cmake -S . -B "$dir" "$@" && cmake --build "$dir" -j"$jobs"; } >"$dir/build.log" 2>&1; then
        cat "$dir/build.log"
        echo "Building $dir failed"
        exit 1
    fi
}

build build-test -DCMAKE_BUILD_TYPE=Release -DHUEVANE_WERROR=ON
build build-asan -DCMAKE_BUILD_TYPE=Debug -DHUEVANE_SANITIZE=ON -DHUEVANE_BUILD_BENCHMARKS=OFF

clang=
for candidate in clang++ clang++-14; do
    if command -v "$candidate" >/dev/null; then
        clang=$(command -v "$candidate")
        break
    fi
done
if [ -n "$clang" ]; then
    build build-fuzz -DCMAKE_CXX_COMPILER="$clang" -DCMAKE_BUILD_TYPE=Debug -DHUEVANE_FUZZ=ON \
        -DHUEVANE_WERROR=ON
fi

failed=()
if ! (cd build-asan && ctest --output-on-failure --timeout 600 -j"$jobs"); then
    failed+=("the sanitizer build (build-asan)")
fi
if [ -n "$clang" ]; then
    if ! (cd build-fuzz && ctest --output-on-failure -j"$jobs"); then
        failed+=("the fuzzing build (build-fuzz; inputs that failed are in build-fuzz/tests/fuzz/*/findings/)")
    fi
else
    echo "No clang++: the fuzz targets are not run (the normal build replays their corpus)."
fi
for run in "${failed[@]}"; do
    echo "FAILED: tests of $run, above"
done

cd build-test
if ! ctest --output-on-failure --timeout 300 -j"$jobs"; then
    exit 1
fi
[ ${#failed[@]} -eq 0 ]
