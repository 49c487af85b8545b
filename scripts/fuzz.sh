#!/usr/bin/env bash
# Runs every fuzz target for SECONDS (default 30) from its committed seeds and dictionary.
# A crash, a sanitizer report or a failed check stops with an error and keeps the input in
# build-check/fuzz-findings/; what a target discovers grows its corpus in build-check/fuzz-corpus/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/deps.sh"
source "$root/scripts/check-build.sh"

seconds=${1:-30}
targets=(model_file command_line number text_file settings sql_text signal_stages)
kinetra_check_build "${targets[@]/#/fuzz_}"

export ASAN_OPTIONS=abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
findings="$check_build/fuzz-findings"
mkdir -p "$findings"
for target in "${targets[@]}"; do
    corpus="$check_build/fuzz-corpus/$target"
    mkdir -p "$corpus"
    log="$check_build/fuzz-$target.log"
    echo "== fuzz_$target for $seconds s"
    if ! "$check_build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 \
        -print_final_stats=1 -dict="$root/fuzz/dictionaries/$target.dict" \
        -artifact_prefix="$findings/$target-" "$corpus" "$root/fuzz/corpus/$target" >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "fuzz_$target found a fault; the input is in $findings" >&2
        exit 1
    fi
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "$log" || true
done
