#!/usr/bin/env bash
# kinetra-sweep-slurm with a stand-in sbatch (sbatch-stand-in) that runs the array's tasks and
# then the merge on this machine: no cluster and no root.
#
#   sweep-script-test.sh merge|refusals KINETRA_SIM SWEEP_SCRIPT MODEL
#
# merge: the merged table of whole shards must equal a single process's, with its status, also
# when the model's path and the table's hold blanks, quotes and a dollar sign. When the second
# task's disk fills while it writes, nothing may be merged: status 4, no table, no temporary, and
# merge.log names the shard. That holds for kinetra-sim, which ends such a shard with status 4,
# and for a program that ends it with 1 as if only a variant had failed: the merge counts the
# shard's rows itself.
#
# refusals: arguments the script cannot run, a kinetra-sim that refuses them and an sbatch that
# refuses a job each end with status 2 and the reason, and no table.
set -euo pipefail

mode=$1
sim=$2
sweep_script=$3
here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d /tmp/kinetra-sweep-script.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
ln -s "$here/sbatch-stand-in" "$work/bin/sbatch"
export PATH=$work/bin:$PATH

fail() {
    echo "$*" >&2
    exit 1
}

# Every path the shards and the merge are given must reach them as it was typed.
odd=$work/"a b'c \"d\" \$e"
mkdir "$odd"
model=$odd/"drive (1).kmf"
cp "$4" "$model"
# 90 rows of about 330 bytes: three shards of about 10 kB each.
sweep=(--decimal-separator , --vary 'Kpw=80±20%' --vary 'J=0.35~0.02' --samples 90 --seed 9
    "$model")

if [ "$mode" = refusals ]; then
    table=$odd/refused/table.csv
    # Runs the script and expects status 2, the reason on standard error and no table.
    refused() {
        local reason=$1 status=0 said
        shift
        said=$(bash "$sweep_script" "$@" 2>&1 >/dev/null) || status=$?
        [ "$status" -eq 2 ] || fail "$*: status $status, not 2."
        [[ $said == *"$reason"* ]] || fail "$*: \"$said\" does not say \"$reason\"."
        [ ! -e "$table" ] || fail "$*: a table was written."
    }
    run=(--shards 3 --output "$table" --program "$sim")
    refused "--shards takes a whole number" --shards 0 --output "$table" -- "${sweep[@]}"
    refused "--shards takes a whole number" --shards 3x --output "$table" -- "${sweep[@]}"
    refused "--output names the merged table" --shards 3 -- "${sweep[@]}"
    refused "give kinetra-sim's arguments after" "${run[@]}" --
    refused "the shards are this script's to set" "${run[@]}" -- "${sweep[@]}" --shard 1/2
    refused "a summary is each process's own" "${run[@]}" -- "${sweep[@]}" --summary s.txt
    refused "no kinetra-sim found" --shards 3 --output "$table" --program "$work/none" \
        -- "${sweep[@]}"
    refused "kinetra-sim refused the sweep's arguments" "${run[@]}" -- --vary Kpw=80 "$model"
    KINETRA_SBATCH_REFUSES=array refused "sbatch refused the array job" "${run[@]}" \
        -- "${sweep[@]}"
    [ -z "$(ls -A "$odd/refused")" ] || fail "A refused array job left $(ls "$odd/refused")."
    KINETRA_SBATCH_REFUSES=merge refused "sbatch refused the merge job" "${run[@]}" \
        -- "${sweep[@]}"
    echo "Every refusal ends with status 2, its reason and no table."
    exit 0
fi

hiding_sim=$work/bin/hiding-sim
printf '#!/usr/bin/env bash\n%q "$@" || { status=$?; [ $status -eq 4 ] && exit 1; exit $status; }\n' \
    "$sim" >"$hiding_sim"
chmod +x "$hiding_sim"

local_status=0
"$sim" "${sweep[@]}" --jobs 2 >"$work/local.csv" 2>/dev/null || local_status=$?

whole_table=$odd/whole/"table \$1.csv"
whole_status=0
bash "$sweep_script" --shards 3 --output "$whole_table" --program "$sim" --wait \
    -- "${sweep[@]}" >/dev/null || whole_status=$?
[ "$whole_status" -eq "$local_status" ] ||
    fail "Whole shards merged with status $whole_status, the single process ended with $local_status."
cmp "$work/local.csv" "$whole_table" ||
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
