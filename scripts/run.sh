#!/usr/bin/env bash
# Builds Kinetra and starts it with an example model. Any arguments replace the model file.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/deps.sh"

build="$root/build"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target kinetra kinetra-sim kinetra_catalogue_file

# The program opens the catalogue Kinetra.mdb in its working directory, the caller's current
# one. The sample goes there when there is none, and replaces one only when our builder made it
# (its SQLite application id, header bytes 68..71, spells "Kntr") and it is out of date: a
# catalogue of the user's own is never overwritten. The copy is renamed into place, so an
# interrupted copy leaves no half file.
catalogue_id() { od -An -tx1 -j68 -N4 "$1" 2>/dev/null | tr -d ' \n'; }
if [ ! -e Kinetra.mdb ] ||
    { [ "$(catalogue_id Kinetra.mdb)" = 4b6e7472 ] && ! cmp -s "$build/Kinetra.mdb" Kinetra.mdb; }; then
    cp "$build/Kinetra.mdb" Kinetra.mdb.new
    mv -f Kinetra.mdb.new Kinetra.mdb
fi

# The program reads a model file written under either decimal separator, so it runs under the
# caller's locale whether it opens the example or a model of the caller's.
if [ $# -eq 0 ]; then
    set -- "$root/examples/dc-thyristor-speed-current.kmf"
fi
exec "$build/src/app/kinetra" "$@"
