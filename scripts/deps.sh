#!/usr/bin/env bash
# Installs the Debian packages Kinetra needs to build and test, when any is missing.
# Sourced by the other scripts; needs root (apt-get) only when something is missing.
set -euo pipefail

kinetra_packages=(
    cmake ninja-build g++
    qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6opengl6-dev libqt6sql6-sqlite libqt6svg6
    libgl-dev libgtest-dev libbenchmark-dev libwmf-bin fonts-urw-base35 fonts-dejavu-core
    postgresql libqt6sql6-psql
    desktop-file-utils shared-mime-info dpkg-dev file
    fonts-liberation poppler-utils qt6-translations-l10n qt6-svg-dev libfftw3-dev
    clang-14 libclang-rt-14-dev libfuzzer-14-dev
    # A one-node Slurm cluster with its own munge key, started by the test of the array-job
    # sweep script (scripts/kinetra-sweep-slurm).
    slurmctld slurmd slurm-client munge
    # A real X server with a window manager and a key presser, for bench/f6_cpu.sh.
    xvfb openbox xdotool
    # Qt's translation tools: lrelease builds the English translation into the program, and the
    # translations test runs lupdate to find texts without a translation.
    qt6-l10n-tools
    # Python's csv module reads back the chart CSV in a test.
    python3
    # The Python module kinetra: pybind11's headers and CMake files, the interpreter's headers,
    # NumPy for its arrays, pytest for its tests.
    pybind11-dev python3-dev python3-numpy python3-pytest
)

kinetra_install_missing() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

kinetra_install_missing "${kinetra_packages[@]}"
