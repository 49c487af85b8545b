#!/usr/bin/env bash
# Builds Kinetra and starts it with an example model. Any arguments replace the model file.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/deps.sh"

build="$root/build"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target kinetra kinetra-sim

if [ $# -eq 0 ]; then
    set -- "$root/examples/dc-thyristor-speed-current.kmf"
    # The example models are written with a decimal comma, as on a Russian system; the program
    # reads numbers with the locale's separator.
    if [ -z "${LC_ALL:-}" ]; then
        export LC_NUMERIC=ru_RU.UTF-8
    fi
fi
exec "$build/src/app/kinetra" "$@"
