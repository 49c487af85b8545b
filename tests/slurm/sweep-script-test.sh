#!/usr/bin/env bash
# kinetra-sweep-slurm with a stand-in sbatch (sbatch-stand-in) that runs the array's tasks and
# then the merge on this machine: no cluster and no root. The merged table of whole shards must
# equal a single process's, with its status. When the second task's disk fills while it writes,
# nothing may be merged: status 4, no table, no temporary, and merge.log names the shard. That
# holds for kinetra-sim, which ends such a shard with status 4, and for a program that ends it
# with 1 as if only a variant had failed: the merge counts the shard's rows itself.
#
#   sweep-script-test.sh KINETRA_SIM SWEEP_SCRIPT MODEL
set -euo pipefail

sim=$1
sweep_script=$2
model=$3
here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d /tmp/kinetra-sweep-script.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
ln -s "$here/sbatch-stand-in" "$work/bin/sbatch"
export PATH=$work/bin:$PATH
hiding_sim=$work/bin/hiding-sim
printf '#!/usr/bin/env bash\n%q "$@" || { status=$?; [ $status -eq 4 ] && exit 1; exit $status; }\n' \
    "$sim" >"$hiding_sim"
chmod +x "$hiding_sim"

fail() {
    echo "$*" >&2
    exit 1
}

# 90 rows of about 330 bytes: three shards of about 10 kB each.
sweep=(--decimal-separator , --vary 'Kpw=80±20%' --vary 'J=0.35~0.02' --samples 90 --seed 9
    "$model")
local_status=0
"$sim" "${sweep[@]}" --jobs 2 >"$work/local.csv" 2>/dev/null || local_status=$?

whole_status=0
bash "$sweep_script" --shards 3 --output "$work/whole/table.csv" --program "$sim" --wait \
    -- "${sweep[@]}" >/dev/null || whole_status=$?
[ "$whole_status" -eq "$local_status" ] ||
    fail "Whole shards merged with status $whole_status, the single process ended with $local_status."
cmp "$work/local.csv" "$work/whole/table.csv" ||
    fail "The merged table differs from the single process's."

for program in "$sim" "$hiding_sim"; do
    cut=$work/cut-$(basename "$program")
    status=0
    KINETRA_FULL_DISK_TASK=2 KINETRA_FULL_DISK_KB=4 bash "$sweep_script" --shards 3 \
        --output "$cut/table.csv" --program "$program" --wait -- "${sweep[@]}" \
        >/dev/null 2>"$cut.err" || status=$?
    [ "$status" -eq 4 ] || fail "$program: a cut shard ended the sweep with $status, not 4."
    [ ! -e "$cut/table.csv" ] || fail "$program: a cut shard was merged into a table."
    leftovers=$(find "$cut" -name '*.tmp')
    [ -z "$leftovers" ] || fail "$program: temporaries stayed behind: $leftovers"
    grep -Eq "^shard 2 of 3 (ended with status 4|holds [0-9]+ of its 30 rows)" \
        "$cut"/table.csv.parts.*/merge.log || fail "$program: merge.log does not name shard 2:
$(cat "$cut"/table.csv.parts.*/merge.log)"
    grep -q "shard 2 of 3" "$cut.err" || fail "$program: the script does not say why:
$(cat "$cut.err")"
done
echo "Whole shards merge into the single process's table; a cut one is refused with status 4."
