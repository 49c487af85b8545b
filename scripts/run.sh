#!/usr/bin/env bash
# Builds Kinetra and simulates an example drive with the command-line simulator.
# Any arguments replace the default: a model file and kinetra-sim options.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/deps.sh"

build="$root/build"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target kinetra-sim

if [ $# -eq 0 ]; then
    set -- --decimal-separator , "$root/examples/dc-thyristor-speed-current.kmf"
fi
exec "$build/src/app/kinetra-sim" "$@"
