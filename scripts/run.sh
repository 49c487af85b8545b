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

program=("$build/src/app/kinetra")
if [ $# -eq 0 ]; then
    set -- "$root/examples/dc-thyristor-speed-current.kmf"
    # The example models are written with a decimal comma, as on a Russian system, and the
    # program takes its separator from the locale's name, which need not be installed. Handing
    # the name to the program alone keeps this shell out of a locale the machine may lack.
    if [ -z "${LC_ALL:-}" ]; then
        program=(env LC_NUMERIC=ru_RU.UTF-8 "${program[@]}")
    fi
fi
exec "${program[@]}" "$@"
