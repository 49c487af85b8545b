#!/usr/bin/env bash
# A sweep as a Slurm array job on a one-node cluster that lives in a temporary folder: its own
# munge key and socket, controller and node daemon on private ports, state and spool folders of
# their own. The merged table must equal the table of a single kinetra-sim process. Every daemon
# is stopped by its own PID when the test ends, whether it passed or not.
#
#   slurm-array-test.sh KINETRA_SIM SWEEP_SCRIPT MODEL
#
# Exits 77 (skipped) with the reason when the daemons cannot be started here.
set -euo pipefail

sim=$1
sweep_script=$2
model=$3

skip() {
    echo "SKIPPED: $*"
    exit 77
}
[ "$(id -u)" -eq 0 ] || skip "the Slurm daemons need root to run jobs (CI runs this test as root)."
for tool in munged slurmctld slurmd sbatch squeue sinfo; do
    command -v "$tool" >/dev/null ||
        skip "$tool is missing (Debian packages munge, slurmctld, slurmd, slurm-client)."
done

work=$(mktemp -d /tmp/kinetra-slurm.XXXXXX)
chmod 755 "$work"
daemon_pids=()
cleanup() {
    local status=$?
    # Jobs still running on the test's own cluster (a failure half-way) end before its daemons.
    if [ -n "${SLURM_CONF:-}" ] && [ ${#daemon_pids[@]} -ge 3 ]; then
        scancel --quiet --user=root 2>/dev/null || true
        for _ in $(seq 1 25); do
            [ -z "$(squeue --noheader 2>/dev/null)" ] && break
            sleep 0.4
        done
    fi
    for pid in "${daemon_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${daemon_pids[@]}"; do
        # A daemon that does not end within ten seconds is ended for good.
        for _ in $(seq 1 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.2
        done
        kill -KILL "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    if [ $status -ne 0 ] && [ $status -ne 77 ]; then
        for log in "$work"/*.log; do
            echo "--- $log"
            tail -n 30 "$log"
        done
    fi
    rm -rf "$work"
    exit $status
}
trap cleanup EXIT

# Two free ports next to each other, away from Slurm's own 6817 and 6818.
free_port() {
    local port
    for port in $(shuf -i 20000-60000 -n 50); do
        if ! ss -Htln "sport = :$port" | grep -q . && ! ss -Htln "sport = :$((port + 1))" | grep -q .; then
            echo "$port"
            return
        fi
    done
    return 1
}
controller_port=$(free_port) || skip "no free port for the controller."
node_port=$((controller_port + 1))
host=$(hostname -s)

mkdir -p "$work/state" "$work/spool" "$work/munge" "$work/out"
chmod 711 "$work/munge"
dd if=/dev/urandom of="$work/munge/munge.key" bs=1024 count=1 status=none
chmod 400 "$work/munge/munge.key"
socket=$work/munge/munge.socket

munged --foreground --force --socket="$socket" --key-file="$work/munge/munge.key" \
    --pid-file="$work/munge/munged.pid" --seed-file="$work/munge/munged.seed" \
    --log-file="$work/munged.log" >>"$work/munged.log" 2>&1 &
daemon_pids+=($!)
for _ in $(seq 1 50); do
    [ -S "$socket" ] && break
    sleep 0.2
done
[ -S "$socket" ] || skip "munged did not start: $(tail -n 3 "$work/munged.log" 2>/dev/null)"

cpus=$(nproc)
export SLURM_CONF=$work/slurm.conf
cat >"$SLURM_CONF" <<EOF
ClusterName=kinetra-test
SlurmctldHost=$host(127.0.0.1)
SlurmctldPort=$controller_port
SlurmdPort=$node_port
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
AuthInfo=socket=$socket
CredType=cred/munge
StateSaveLocation=$work/state
SlurmdSpoolDir=$work/spool
SlurmctldPidFile=$work/slurmctld.pid
SlurmdPidFile=$work/slurmd.pid
SlurmctldLogFile=$work/slurmctld.log
SlurmdLogFile=$work/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
SchedulerType=sched/builtin
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
MpiDefault=none
ReturnToService=2
SlurmdTimeout=30
NodeName=$host NodeAddr=127.0.0.1 CPUs=$cpus State=UNKNOWN
PartitionName=test Nodes=$host Default=YES MaxTime=INFINITE State=UP
EOF

slurmctld -D -i -f "$SLURM_CONF" >>"$work/slurmctld.log" 2>&1 &
daemon_pids+=($!)
slurmd -D -f "$SLURM_CONF" -N "$host" >>"$work/slurmd.log" 2>&1 &
daemon_pids+=($!)
ready=false
for _ in $(seq 1 100); do
    if sinfo --noheader --states=idle --format=%n 2>/dev/null | grep -qx "$host"; then
        ready=true
        break
    fi
    sleep 0.3
done
$ready || skip "the one-node cluster did not come up: $(tail -n 3 "$work/slurmctld.log" "$work/slurmd.log")"

# A tolerance study with a failing sample would hide nothing: the statuses must match as well.
sweep=(--decimal-separator , --vary 'Kpw=80±20%' --vary 'J=0.35~0.02' --samples 40 --seed 9
    "$model")
local_status=0
"$sim" "${sweep[@]}" --jobs 2 >"$work/out/local.csv" 2>/dev/null || local_status=$?

cluster_status=0
timeout 240 bash "$sweep_script" --shards 3 --output "$work/out/merged.csv" --program "$sim" \
    --wait --time=5 -- "${sweep[@]}" || cluster_status=$?

[ "$cluster_status" -eq "$local_status" ] || {
    echo "The array job ended with $cluster_status, the single process with $local_status." >&2
    exit 1
}
cmp "$work/out/local.csv" "$work/out/merged.csv" || {
    echo "The merged table differs from the single process's." >&2
    exit 1
}
echo "The array job's merged table of $(($(wc -l <"$work/out/local.csv") - 1)) variants equals the single process's."
