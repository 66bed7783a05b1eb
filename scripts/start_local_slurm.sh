#!/usr/bin/env bash
# Starts a one-node Slurm cluster on this machine, for trying and testing `quill-ensemble run
# --slurm` without a real cluster:
#
#   scripts/start_local_slurm.sh <state-dir>          start munged, slurmctld and slurmd
#   scripts/start_local_slurm.sh --stop <state-dir>   stop the daemons started in <state-dir>
#
# Everything lives in <state-dir>: the configuration (slurm.conf), a munge key of its own, the
# daemons' sockets, spool and state directories, pid files and logs. Nothing under /etc is
# changed, so the Slurm commands find this cluster only through the variable
#
#   export SLURM_CONF=<state-dir>/slurm.conf
#
# which the script prints when the node is idle. The daemons listen on two free ports chosen
# at start (or QUILL_SLURMCTLD_PORT and QUILL_SLURMD_PORT), so that several such clusters,
# one per state folder, can run on one machine side by side. No cgroups are used
# (proctrack/linuxproc, task/none) and there is no accounting database: `sacct` answers with
# an error on this cluster.
# Missing Debian packages (slurm-wlm, munge) are installed first; the daemons run as root.
# When a daemon does not come up, the script prints the last lines of its log and exits with 1.
set -euo pipefail

usage="Usage: $0 [--stop] <state-dir>"
stop=false
if [ "${1:-}" = "--stop" ]; then stop=true; shift; fi
[ $# -eq 1 ] || { echo "$usage" >&2; exit 2; }
mkdir -p "$1"
state=$(cd "$1" && pwd)

pid_of() { [ -s "$state/$1.pid" ] && cat "$state/$1.pid"; }

stop_daemons() {
  for daemon in slurmd slurmctld munged; do
    local pid
    pid=$(pid_of "$daemon" || true)
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
      kill "$pid"
      for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
      kill -0 "$pid" 2>/dev/null && kill -9 "$pid"
    fi
    rm -f "$state/$daemon.pid"
  done
}

if $stop; then stop_daemons; exit 0; fi

if [ "$(id -u)" -ne 0 ]; then
  echo "The local Slurm cluster must be started as root (slurmd starts the jobs)." >&2
  exit 1
fi

missing=()
for package in slurm-wlm munge; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing missing packages: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Daemons of an earlier start in this directory are stopped first, so the script can be rerun.
stop_daemons

# Prints the last lines of a daemon's log and gives up.
fail_with_log() {
  echo "$1" >&2
  for log in "$state"/munged.log "$state"/slurmctld.log "$state"/slurmd.log; do
    [ -f "$log" ] && { echo "--- last lines of $log:" >&2; tail -n 20 "$log" >&2; }
  done
  stop_daemons
  exit 1
}

mkdir -p "$state/munge" "$state/spool" "$state/ctld"
chmod 755 "$state/munge"
if [ ! -s "$state/munge/munge.key" ]; then
  dd if=/dev/urandom of="$state/munge/munge.key" bs=1024 count=1 status=none
fi
chmod 400 "$state/munge/munge.key"
munge_socket="$state/munge/munge.socket"

# Two ports that nothing listens on now: the system hands them out and they are let go at once.
read -r free_ctld_port free_slurmd_port < <(python3 -c '
import socket
sockets = [socket.socket() for _ in range(2)]
for s in sockets:
    s.bind(("127.0.0.1", 0))
print(*(s.getsockname()[1] for s in sockets))
')
node=$(hostname -s)
cpus=$(nproc)
cat >"$state/slurm.conf" <<EOF
# One-node cluster written by scripts/start_local_slurm.sh
ClusterName=quill-local
SlurmctldHost=$node(127.0.0.1)
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
AuthInfo=socket=$munge_socket
CredType=cred/munge
SlurmctldPort=${QUILL_SLURMCTLD_PORT:-$free_ctld_port}
SlurmdPort=${QUILL_SLURMD_PORT:-$free_slurmd_port}
StateSaveLocation=$state/ctld
SlurmdSpoolDir=$state/spool
SlurmctldPidFile=$state/slurmctld.pid
SlurmdPidFile=$state/slurmd.pid
SlurmctldLogFile=$state/slurmctld.log
SlurmdLogFile=$state/slurmd.log
SlurmctldDebug=info
SlurmdDebug=info
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
JobCompType=jobcomp/none
SchedulerType=sched/backfill
SelectType=select/cons_tres
SelectTypeParameters=CR_Core
ReturnToService=2
MaxArraySize=100001
MaxJobCount=200000
MinJobAge=300
SlurmdTimeout=30
InactiveLimit=0
KillWait=5
NodeName=$node NodeAddr=127.0.0.1 CPUs=$cpus State=UNKNOWN
PartitionName=local Nodes=$node Default=YES MaxTime=INFINITE State=UP
EOF
export SLURM_CONF="$state/slurm.conf"

munged --socket="$munge_socket" --key-file="$state/munge/munge.key" \
  --pid-file="$state/munged.pid" --log-file="$state/munged.log" --seed-file="$state/munge/munge.seed" \
  --force >/dev/null 2>>"$state/munged.log" || fail_with_log "munged did not start."
slurmctld -i >/dev/null 2>>"$state/slurmctld.log" || fail_with_log "slurmctld did not start."
slurmd >/dev/null 2>>"$state/slurmd.log" || fail_with_log "slurmd did not start."

# Waits for the node to report itself idle (a minute at most).
for _ in $(seq 120); do
  node_state=$(sinfo -h -n "$node" -o %T 2>/dev/null || true)
  case "$node_state" in
    idle) echo "Local Slurm cluster is up: export SLURM_CONF=$SLURM_CONF"; exit 0 ;;
    down*|drain*|fail*) scontrol update nodename="$node" state=resume >/dev/null 2>&1 || true ;;
  esac
  for daemon in munged slurmctld slurmd; do
    pid=$(pid_of "$daemon" || true)
    [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null || fail_with_log "$daemon ended while the node came up."
  done
  sleep 0.5
done
fail_with_log "The node $node did not become idle within a minute (last state: ${node_state:-unknown})."
