#!/usr/bin/env bash
# The program's own CPU time for one F6, as a user's machine sees it: the real program under
# Xvfb with a window manager, the key pressed with xdotool, the process's user and system time
# read from /proc/PID/stat before the key and once the program is idle again.
#
#   bench/f6_cpu.sh PROGRAM [RUNS] MODEL...
#
# Each run starts the program afresh on the model and presses F6 once. Prints per run the CPU
# milliseconds and the wall milliseconds from the key to the last CPU used (within the 20 ms
# the poll takes), "lost" when the results window never named the model, and per model the
# median CPU time. The tick of /proc is 10 ms on most systems. The program runs in a temporary
# folder with a copy of the Kinetra.ini of the folder the script is run from, which it leaves as
# it was. The examples write decimal commas, so LC_NUMERIC defaults to ru_RU.UTF-8.
# Needs xvfb, openbox and xdotool.
set -u
program=$(realpath "${1:?usage: f6_cpu.sh PROGRAM [RUNS] MODEL...}")
shift
runs=5
if [[ ${1:-} =~ ^[0-9]+$ ]]; then
    runs=$1
    shift
fi
[ $# -gt 0 ] || { echo "f6_cpu.sh: no model" >&2; exit 2; }
for tool in Xvfb openbox xdotool; do
    command -v $tool >/dev/null || { echo "f6_cpu.sh: $tool missing" >&2; exit 2; }
done
ticks=$(getconf CLK_TCK)
settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
[ -f Kinetra.ini ] && cp Kinetra.ini "$settings/"

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
now_ms() { date +%s%3N; }
titles() {
    local window
    for window in $(DISPLAY=$1 xdotool search --onlyvisible --pid "$2" 2>/dev/null); do
        DISPLAY=$1 xdotool getwindowname "$window"
    done
}

# Waits until the process has used no CPU for half a second; prints its CPU ticks and the time
# it last used any.
wait_idle() {
    local ticks last=$(now_ms) still=0
    ticks=$(cpu_ticks "$1")
    while [ $still -lt 25 ]; do
        sleep 0.02
        if [ "$(cpu_ticks "$1")" = "$ticks" ]; then
            still=$((still + 1))
        else
            ticks=$(cpu_ticks "$1") last=$(now_ms) still=0
        fi
    done
    echo "$ticks $last"
}

# Runs the command every 0.1 s until it succeeds; false when it has not within a minute, so a
# program or server that never comes up ends the run as lost instead of hanging the script.
wait_until() {
    local try
    for try in $(seq 600); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# One F6 on a fresh program; prints "CPU_MS WALL_MS", the wall time up to the last CPU the
# program used, or "lost" when no run was drawn in 60 s.
one_f6() {
    local model=$1 display xvfb wm= app= window start cpu0 cpu1 end shown number
    # A display number nobody else uses: Xvfb picks it and writes it to the pipe.
    number=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$number" >/dev/null 2>&1 &
    xvfb=$!
    if wait_until test -s "$number"; then
        display=:$(cat "$number")
        DISPLAY=$display openbox >/dev/null 2>&1 &
        wm=$!
        sleep 0.3
        (cd "$settings" && DISPLAY=$display QT_QPA_PLATFORM=xcb \
            LC_NUMERIC=${LC_NUMERIC:-ru_RU.UTF-8} exec "$program" "$model") >/dev/null 2>&1 &
        app=$!
    fi
    rm -f "$number"
    program_window() {
        window=$(DISPLAY=$display xdotool search --onlyvisible --pid "$app" 2>/dev/null | head -n 1) &&
            [ -n "$window" ]
    }
    if [ -z "$app" ] || ! wait_until program_window; then
        echo lost
        kill $app $wm "$xvfb" 2>/dev/null
        wait $app $wm "$xvfb" 2>/dev/null
        return
    fi
    wait_idle "$app" >/dev/null
    DISPLAY=$display xdotool windowactivate --sync "$window" 2>/dev/null
    read -r cpu0 _ < <(wait_idle "$app")
    start=$(now_ms)
    DISPLAY=$display xdotool key F6
    shown=
    for _ in $(seq 3000); do
        if DISPLAY=$display xdotool search --onlyvisible --pid "$app" --name 'Результат Kinetra: ' \
            >/dev/null 2>&1; then
            shown=yes
            break
        fi
        sleep 0.02
    done
    read -r cpu1 end < <(wait_idle "$app")
    if [ -n "$shown" ]; then
        echo "$(((cpu1 - cpu0) * 1000 / ticks)) $((end - start))"
    else
        echo lost
    fi
    kill "$app" "$wm" 2>/dev/null
    wait "$app" "$wm" 2>/dev/null
    kill "$xvfb" 2>/dev/null
    wait "$xvfb" 2>/dev/null
}

for model in "$@"; do
    cpus=()
    for run in $(seq "$runs"); do
        result=$(one_f6 "$(realpath "$model")")
        echo "$(basename "$model") run $run: $result"
        [ "$result" != lost ] && cpus+=("${result%% *}")
    done
    if [ ${#cpus[@]} -gt 0 ]; then
        median=$(printf '%s\n' "${cpus[@]}" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
        echo "$(basename "$model") median CPU ms: $median"
    fi
done
