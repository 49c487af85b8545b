#!/usr/bin/env bash
# Sourced by sanitize.sh and fuzz.sh: the clang build with AddressSanitizer, UndefinedBehavior-
# Sanitizer and the libFuzzer targets, beside the normal build and without the benchmarks.
# kinetra_check_build TARGET... configures it when needed and builds the targets.
check_build="$root/build-check"

kinetra_check_build() {
    local launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    CXX=clang++-14 cmake -S "$root" -B "$check_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DKINETRA_SANITIZE=ON -DKINETRA_FUZZ=ON -DKINETRA_BUILD_BENCHMARKS=OFF \
        "${launcher[@]}" >/dev/null
    cmake --build "$check_build" --parallel "$(nproc)" --target "$@"
}
