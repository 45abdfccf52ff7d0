#!/usr/bin/env bash
# CPU and memory of the running program with its built-in indicator simulator sending at the line's rate.
# Usage: bench/cpu_live.sh [BUILD_DIR] [SECONDS]   (default: build, 30)
# Set EXTERNAL=1 to feed the program from a separate gramura-indicator process instead of --demo; the figure
# is then the program's alone.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
seconds=${2:-30}
program=$build/gramura
[ -x "$program" ] || { echo "cpu_live: $program is missing; build the target gramura first" >&2; exit 1; }

. "$here/bench/sandbox.sh"

if [ "${EXTERNAL:-0}" = 1 ]; then
    "$build/gramura-indicator" --scenario "${SCENARIO:-demo}" --link "$work/waage" >/dev/null &
    pids+=($!)
    for _ in $(seq 50); do [ -e "$work/waage" ] && break; sleep 0.1; done
    "$program" --device "COM1=$work/waage" --data-dir "$work/data" >/dev/null 2>&1 &
else
    "$program" --demo --data-dir "$work/data" >/dev/null 2>&1 &
fi
pid=$!
pids+=($pid)

ticks_of() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
sleep 3 # start-up is not what is measured
kill -0 "$pid" 2>/dev/null || { echo "cpu_live: the program ended during start-up" >&2; exit 1; }
start_ticks=$(ticks_of "$pid")
start_ns=$(date +%s%N)
sleep "$seconds"
kill -0 "$pid" 2>/dev/null || { echo "cpu_live: the program ended during the measurement" >&2; exit 1; }
end_ticks=$(ticks_of "$pid")
end_ns=$(date +%s%N)
rss=$(awk '/^VmRSS/ { print $2 " " $3 }' "/proc/$pid/status")
hwm=$(awk '/^VmHWM/ { print $2 " " $3 }' "/proc/$pid/status")

awk -v t=$((end_ticks - start_ticks)) -v hz="$hz" -v ns=$((end_ns - start_ns)) -v rss="$rss" -v hwm="$hwm" \
    -v mode="$([ "${EXTERNAL:-0}" = 1 ] && echo "external simulator" || echo "--demo")" 'BEGIN {
    cpu = t / hz; wall = ns / 1e9
    printf "mode:        %s\n", mode
    printf "wall time:   %.1f s\n", wall
    printf "cpu time:    %.2f s (utime+stime)\n", cpu
    printf "cpu load:    %.3f %% of one core\n", 100 * cpu / wall
    printf "VmRSS:       %s (peak %s)\n", rss, hwm
}'
