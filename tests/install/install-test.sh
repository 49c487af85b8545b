#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop and a script get from it.
#   install-test.sh tree|desktop|mime BUILD_DIR PYTHON
set -euo pipefail
check=$1 build=$2 python=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }

case $check in
tree)
    expected=(
        bin/kinetra bin/kinetra-sim bin/kinetra-sweep-slurm libexec/kinetra/kinetra-desktop
        libexec/kinetra/kinetra-sim-drawing
        share/applications/kinetra.desktop share/mime/packages/kinetra.xml
        share/man/man1/kinetra.1 share/man/man1/kinetra-sim.1
        share/kinetra/Kinetra.mdb share/kinetra/examples/dc-thyristor-speed-current.kmf
        share/kinetra/help/index.html share/kinetra/icons/kinetra.svg
        share/icons/hicolor/scalable/apps/kinetra.svg
        share/icons/hicolor/scalable/mimetypes/application-x-kinetra-model.svg
    )
    for size in 16 24 32 48 64 128 256; do
        expected+=("share/icons/hicolor/${size}x${size}/apps/kinetra.png"
            "share/icons/hicolor/${size}x${size}/mimetypes/application-x-kinetra-model.png")
    done
    for file in "${expected[@]}"; do
        [ -s "$prefix/$file" ] || fail "$file is not installed"
    done
    for program in bin/kinetra bin/kinetra-sim bin/kinetra-sweep-slurm \
        libexec/kinetra/kinetra-desktop libexec/kinetra/kinetra-sim-drawing; do
        [ -x "$prefix/$program" ] || fail "$program is not executable"
    done
    # Every example, and nothing of the build or the tests.
    examples=$(find "$(dirname "$0")/../../examples" -name '*.kmf' | wc -l)
    [ "$(find "$prefix/share/kinetra/examples" -name '*.kmf' | wc -l)" -eq "$examples" ] ||
        fail "not every example is installed"
    unexpected=$(find "$prefix" -type f | grep -E '_tests$|_bench$|kinetra-catalogue$|\.a$' || true)
    [ -z "$unexpected" ] || fail "installed by mistake: $unexpected"
    # The catalogue is the built sample: an SQLite file with our application id.
    [ "$(od -An -tx1 -j68 -N4 "$prefix/share/kinetra/Kinetra.mdb" | tr -d ' \n')" = 4b6e7472 ] ||
        fail "share/kinetra/Kinetra.mdb is not the sample catalogue"
    # The simulator runs an installed example, and its PDF report is drawn by the installed
    # drawing program.
    example=$prefix/share/kinetra/examples/dc-thyristor-speed-current.kmf
    "$prefix/bin/kinetra-sim" --decimal-separator , "$example" >/dev/null ||
        fail "the installed kinetra-sim does not simulate an installed example"
    "$prefix/bin/kinetra-sim" --decimal-separator , --report "$prefix/report.pdf" "$example" \
        >/dev/null 2>&1 && [ -s "$prefix/report.pdf" ] ||
        fail "the installed kinetra-sim does not write a PDF report"
    # The Python module sits in the site folder of its prefix and runs there.
    site=$(echo "$prefix"/lib/python3*/site-packages)
    [ -s "$site/kinetra/__init__.pyi" ] || fail "the Python module is not installed in $site"
    PYTHONPATH=$site "$python" -c "import kinetra, sys
run = kinetra.simulate(kinetra.load(sys.argv[1], ','))
assert run.time.size > 0 and run.metrics['quantity'] == 'speed'" "$example" ||
        fail "the installed Python module does not simulate an installed example"
    ;;
desktop)
    entry="$prefix/share/applications/kinetra.desktop"
    # It hints that the entry names two main categories, as meant; only errors fail it.
    desktop-file-validate "$entry" >/dev/null || fail "desktop-file-validate rejects the entry"
    grep -qx "Exec=$prefix/libexec/kinetra/kinetra-desktop %f" "$entry" ||
        fail "the entry does not start the installed launcher"
    grep -qx 'MimeType=application/x-kinetra-model;' "$entry" || fail "no model file type"
    # The launcher runs the program in ~/Kinetra, made on the first start.
    home=$(mktemp -d)
    trap 'rm -rf "$prefix" "$home"' EXIT
    HOME=$home QT_QPA_PLATFORM=offscreen KINETRA_EXIT_AFTER_FIRST_PAINT=1 \
        "$prefix/libexec/kinetra/kinetra-desktop" >/dev/null 2>&1 || fail "the launcher failed"
    [ -f "$home/Kinetra/Kinetra.ini" ] || fail "the program did not start in ~/Kinetra"
    [ -f "$home/Kinetra/Kinetra.mdb" ] || fail "the sample catalogue was not placed in ~/Kinetra"
    ;;
mime)
    # A copy of the installed type in a database of its own, as the system's triggers build it.
    database=$prefix/share/mime
    update-mime-database "$database" 2>/dev/null || fail "update-mime-database rejects the type"
    grep -qx 'application/x-kinetra-model:\*\.kmf' "$database/globs" ||
        fail "*.kmf is not bound to application/x-kinetra-model"
    grep -qx 'application/x-kinetra-model:application-x-kinetra-model' "$database/icons" ||
        fail "the type has no icon"
    ;;
*)
    fail "unknown check $check"
    ;;
esac
echo "PASS: $check"
