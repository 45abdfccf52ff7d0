#!/usr/bin/env bash
# Resident memory and CPU of the complete program, first with its window shown, then hidden in the
# notification area (a real tray host, trayer), SECONDS each, read from /proc. The indicator simulator
# (a process of its own, not counted) sends at the full line rate, and recording runs every second
# (chk1s = 1, txt1s = 0), so a row is written each second in both phases.
# Usage: bench/shell_resources.sh [BUILD_DIR] [SECONDS]   (defaults: build, 30)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
seconds=${2:-30}
program=$build/gramura
title="VELKOR ZEL Desktop"
for f in "$program" "$build/gramura-indicator"; do
    [ -x "$f" ] || { echo "shell_resources: $f is missing; build the targets gramura and gramura-indicator" >&2; exit 1; }
done
for tool in Xvfb xdotool xwininfo trayer sqlite3; do
    command -v "$tool" >/dev/null || { echo "shell_resources: $tool is not installed" >&2; exit 1; }
done

. "$here/bench/sandbox.sh"
mkdir -p "$XDG_CONFIG_HOME/Gramura"
printf '[frm_Settings]\nchk1s=1\ntxt1s=0\n' >"$XDG_CONFIG_HOME/Gramura/Gramura.conf"

trayer --edge bottom --align right --widthtype request --height 32 --SetDockType false >/dev/null 2>&1 &
pids+=($!)
"$build/gramura-indicator" --scenario "${SCENARIO:-demo}" --link "$work/waage" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -e "$work/waage" ] && break; sleep 0.1; done

"$program" --device "COM1=$work/waage" --data-dir "$work/data" >"$work/program.log" 2>&1 &
pid=$!
pids+=($pid)
window=$(timeout 30 xdotool search --sync --onlyvisible --name "^$title\$" | head -n1)
[ -n "$window" ] || { echo "shell_resources: the window was not shown" >&2; cat "$work/program.log" >&2; exit 1; }

hz=$(getconf CLK_TCK)
ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
rows() { sqlite3 "$work/data/zel.mdb" 'select count(*) from Gewichte' 2>/dev/null || echo 0; }

# measure LABEL: SECONDS of CPU, the resident set at the end and the rows written meanwhile.
measure() {
    local t0 n0 r0 t1 n1 r1
    t0=$(ticks); n0=$(date +%s%N); r0=$(rows)
    sleep "$seconds"
    kill -0 "$pid" 2>/dev/null || { echo "shell_resources: the program ended" >&2; exit 1; }
    t1=$(ticks); n1=$(date +%s%N); r1=$(rows)
    awk -v label="$1" -v t=$((t1 - t0)) -v hz="$hz" -v ns=$((n1 - n0)) -v rows=$((r1 - r0)) \
        -v rss="$(awk '/^VmRSS/ { print $2 }' "/proc/$pid/status")" \
        -v hwm="$(awk '/^VmHWM/ { print $2 }' "/proc/$pid/status")" \
        -v threads="$(awk '/^Threads/ { print $2 }' "/proc/$pid/status")" 'BEGIN {
        wall = ns / 1e9; cpu = t / hz
        printf "%-7s %5.1f s: cpu %.2f s = %.2f %% of one core, VmRSS %.1f MiB (peak %.1f MiB), %d threads, %d rows recorded\n",
            label, wall, cpu, 100 * cpu / wall, rss / 1024, hwm / 1024, threads, rows }'
}

sleep 3 # start-up is not what is measured
measure shown

xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
xdotool key --clearmodifiers alt+m
for _ in $(seq 100); do
    xwininfo -id "$window" | grep -q IsUnMapped && break
    sleep 0.1
done
xwininfo -id "$window" | grep -q IsUnMapped || { echo "shell_resources: the window was not hidden" >&2; exit 1; }
sleep 1
measure hidden
