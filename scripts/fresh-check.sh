#!/usr/bin/env bash
# Proves the README on a bare machine. Makes a minimal Debian 12 root file system, puts nothing
# in it but git and ca-certificates, clones this repository's committed HEAD into it and, inside
# it, runs the README's test command and its run command (the program reaches its first painted
# window offscreen and quits). With --deb it builds the Debian packages in one fresh root and
# installs them with apt-get into a second one: first the command line's package alone, which must
# bring no display stack (no Qt GUI or widget library, no X11 or GL, neither installed nor linked),
# where kinetra-sim runs a sweep and a tolerance study, the Python module imports and simulates,
# and the Slurm script merges a study's shards run by a stand-in sbatch; then the desktop's
# package, where kinetra-sim writes a PDF report, kinetra starts offscreen from an empty home
# folder and finds its sample catalogue.
#
#   sudo bash scripts/fresh-check.sh [--deb]
#
# Needs root and debootstrap; takes many minutes. The last line says whether everything passed
# and how long each step took.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
mode=source
case "${1:-}" in
"") ;;
--deb) mode=deb ;;
*) echo "usage: $0 [--deb]" >&2; exit 2 ;;
esac
[ "$(id -u)" -eq 0 ] || { echo "fresh-check: run as root (debootstrap, chroot, mount)" >&2; exit 2; }
command -v debootstrap >/dev/null || { echo "fresh-check: needs debootstrap (apt-get install debootstrap)" >&2; exit 2; }

# The Debian mirror the host's own apt sources name, so that no host name lives here.
host_mirror() {
    local uri
    uri=$(sed -n 's/^URIs:[[:space:]]*//p' /etc/apt/sources.list.d/*.sources 2>/dev/null |
        tr ' ' '\n' | grep -v -- '-security' | grep -m1 '/debian/\?$' || true)
    [ -n "$uri" ] || uri=$(awk '$1 == "deb" && $2 !~ /security/ { print $2; exit }' \
        /etc/apt/sources.list 2>/dev/null || true)
    [ -n "$uri" ] || { echo "fresh-check: no Debian mirror in the host's apt sources" >&2; exit 2; }
    echo "$uri"
}
mirror=$(host_mirror)

work=$(mktemp -d /var/tmp/kinetra-fresh.XXXXXX)
roots=()
unmount_all() {
    local root
    for root in "${roots[@]}"; do
        for point in dev sys proc; do
            mountpoint -q "$root/$point" && umount -R -l "$root/$point"
        done
    done
    return 0
}
trap 'unmount_all; rm -rf --one-file-system "$work"' EXIT
trap 'exit 130' INT TERM

log=$work/log
say() { echo "fresh-check: $*"; }
failed() {
    say "$1 failed; the last lines of its output:"
    tail -n 40 "$log" | sed 's/^/  | /'
    echo "fresh-check: FAIL ($1) — $(steps)"
    exit 1
}
summary=()
steps() { local IFS=';'; echo "${summary[*]:-nothing passed}" | sed 's/;/; /g'; }
timed() { # NAME COMMAND...: runs the command, logs its output, and notes its time
    local name=$1 start
    shift
    say "$name ..."
    start=$(date +%s)
    "$@" >>"$log" 2>&1 || failed "$name"
    summary+=("$name $(($(date +%s) - start)) s")
}

make_root() { # DIR: a minimal Debian 12 with git and ca-certificates
    roots+=("$1")
    debootstrap --variant=minbase --include=git,ca-certificates bookworm "$1" "$mirror"
    mount -t proc proc "$1/proc"
    mount --rbind /sys "$1/sys" && mount --make-rslave "$1/sys"
    mount --rbind /dev "$1/dev" && mount --make-rslave "$1/dev"
}

# Runs a shell command inside a root as root, with a clean environment.
inside() { # ROOT COMMAND
    chroot "$1" /usr/bin/env -i HOME=/root TERM=dumb PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin \
        bash -euo pipefail -c "$2"
}

# The committed HEAD as it was when the check started, cloned by each root's own git.
head=$(git -C "$repo" rev-parse HEAD)
git -C "$repo" bundle create "$work/kinetra.bundle" HEAD 2>/dev/null
clone_into() { # ROOT
    cp "$work/kinetra.bundle" "$1/root/"
    inside "$1" 'git -c advice.detachedHead=false clone --quiet /root/kinetra.bundle /root/kinetra &&
        rm /root/kinetra.bundle'
}

# The README's run command, offscreen: it builds, places the catalogue in the working folder,
# and the program quits once its first window has painted.
run_command() { # ROOT
    inside "$1" 'mkdir -p /root/work && cd /root/work &&
        QT_QPA_PLATFORM=offscreen KINETRA_EXIT_AFTER_FIRST_PAINT=1 bash /root/kinetra/scripts/run.sh 2>&1 |
            tee /root/run.log
        if grep "setlocale" /root/run.log; then exit 1; fi
        test -s /root/work/Kinetra.mdb'
}

build_package() { # ROOT: the packages the README installs, the programs alone, and cpack
    inside "$1" 'cd /root/kinetra && bash scripts/deps.sh &&
        cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release \
            -DKINETRA_BUILD_TESTS=OFF -DKINETRA_BUILD_BENCHMARKS=OFF &&
        cmake --build build-deb --parallel "$(nproc)" &&
        cd build-deb && cpack -G DEB'
}

install_package() { # ROOT DEB
    cp "$2" "$1/root/"
    inside "$1" "apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq ./root/$(basename "$2")"
}

# The command line's package as a cluster node or a container meets it: no display stack.
check_command_line() { # ROOT
    cp "$work/build/root/kinetra/tests/slurm/sbatch-stand-in" "$1/usr/local/bin/sbatch"
    inside "$1" 'work=$(mktemp -d) && cd "$work"
        example=/usr/share/kinetra/examples/dc-thyristor-speed-current.kmf
        for package in libqt6gui6 libqt6widgets6 libqt6charts6 libx11-6 libxcb1 libgl1 libegl1; do
            if dpkg-query -W -f="\${Status}" "$package" 2>/dev/null | grep -q "ok installed"; then
                echo "the command-line package brought $package"; exit 1
            fi
        done
        for binary in /usr/bin/kinetra-sim /usr/lib/python3/dist-packages/kinetra/_kinetra*.so; do
            ldd "$binary"
            if ldd "$binary" |
                grep -E "(libX[[:alnum:]]*|libxcb[[:alnum:]-]*|libGL[[:alpha:]]*|libEGL|libOpenGL|libQt6(Gui|Widgets|Charts|PrintSupport|OpenGL))\.so"; then
                echo "$binary links a display library"; exit 1
            fi
        done
        kinetra-sim --decimal-separator , --set "Kpw=40;160" "$example"
        study=(--decimal-separator , --vary "J=0.35±20%" --vary "Kpw=60~3" --samples 40 --seed 3)
        kinetra-sim "${study[@]}" --summary summary.csv "$example" > study.csv
        python3 -c "import kinetra; r = kinetra.simulate(kinetra.load(\"/usr/share/kinetra/examples/dc-mains-start.kmf\")); print(r.time.shape, r.metrics)"
        kinetra-sweep-slurm --shards 3 --output merged.csv --wait -- "${study[@]}" "$example"
        cmp study.csv merged.csv
        if kinetra-sim --decimal-separator , --report report.pdf "$example" 2> refused.txt; then
            echo "a PDF report was written without the drawing program"; exit 1
        fi
        cat refused.txt'
}

check_installed() { # ROOT: as a user would meet the installed program
    inside "$1" 'work=$(mktemp -d) && cd "$work" &&
        kinetra-sim --decimal-separator , /usr/share/kinetra/examples/dc-thyristor-speed-current.kmf
        kinetra-sim --decimal-separator , --report report.pdf \
            /usr/share/kinetra/examples/dc-thyristor-speed-current.kmf && test -s report.pdf
        useradd --create-home tester
        su tester -c "cd ~ && QT_QPA_PLATFORM=offscreen KINETRA_EXIT_AFTER_FIRST_PAINT=1 \
            /usr/libexec/kinetra/kinetra-desktop"
        test -s /home/tester/Kinetra/Kinetra.mdb && test -s /home/tester/Kinetra/Kinetra.ini
        cmp /usr/share/kinetra/Kinetra.mdb /home/tester/Kinetra/Kinetra.mdb
        grep -qx "application/x-kinetra-model:\*\.kmf" /usr/share/mime/globs
        grep -q "kinetra.desktop" /usr/share/applications/mimeinfo.cache'
}

say "mirror $mirror, HEAD ${head:0:7}, work folder $work, log $log"
if [ "$mode" = source ]; then
    timed "minimal root" make_root "$work/root"
    clone_into "$work/root"
    timed "test command" inside "$work/root" 'cd /root/kinetra && bash scripts/test.sh'
    timed "run command" run_command "$work/root"
else
    timed "build root" make_root "$work/build"
    clone_into "$work/build"
    timed "package build" build_package "$work/build"
    packages=$work/build/root/kinetra/build-deb
    timed "install root" make_root "$work/install"
    timed "command-line package install" install_package "$work/install" \
        "$(ls "$packages"/kinetra-sim_*_amd64.deb)"
    timed "command line without a display stack" check_command_line "$work/install"
    timed "desktop package install" install_package "$work/install" \
        "$(ls "$packages"/kinetra_*_amd64.deb)"
    timed "installed program" check_installed "$work/install"
fi
echo "fresh-check: PASS ($mode) — $(steps)"
