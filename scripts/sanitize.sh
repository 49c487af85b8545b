#!/usr/bin/env bash
# Builds the libraries without widgets and their tests with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs those tests: any report fails the run.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/deps.sh"
source "$root/scripts/check-build.sh"

tests=(
    tests/model/text/model_text_tests
    tests/model/editor/model_editor_tests
    tests/engine/engine_tests
    tests/results/results_tests
    tests/signals/signal_stage_tests
    tests/signals/signal_workbench_tests
    tests/report/report_tests
    tests/database/database_tests
)
kinetra_check_build "${tests[@]##*/}"

export ASAN_OPTIONS=abort_on_error=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for test in "${tests[@]}"; do
    echo "== $test (sanitized)"
    (cd "$check_build/$(dirname "$test")" && "$check_build/$test" --gtest_brief=1)
done
