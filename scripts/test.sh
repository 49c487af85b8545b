#!/usr/bin/env bash
# Builds Kinetra with its tests and benchmarks and runs every test with CTest.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/deps.sh"

build="$root/build"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --parallel "$(nproc)"
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)"

# The same libraries under the sanitizers, then every fuzz target for 30 seconds.
bash "$root/scripts/sanitize.sh"
bash "$root/scripts/fuzz.sh" 30
