#!/usr/bin/env bash
# Start to window shown: from the moment the program is started until its main window is mapped, with a
# working database of ROWS rows (default 1 million) and, for comparison, with a fresh empty one.
# Each run starts a new process on an X display of its own and ends it with Alt+B.
# Usage: bench/shell_startup.sh [BUILD_DIR] [ROWS] [RUNS]   (defaults: build, 1000000, 5)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
rows=${2:-1000000}
runs=${3:-5}
program=$build/gramura
title="VELKOR ZEL Desktop"
for f in "$program" "$build/zel.neu"; do
    [ -e "$f" ] || { echo "shell_startup: $f is missing; build the target gramura first" >&2; exit 1; }
done
for tool in Xvfb xdotool sqlite3 socat; do
    command -v "$tool" >/dev/null || { echo "shell_startup: $tool is not installed" >&2; exit 1; }
done

. "$here/bench/sandbox.sh"

# A line to read, so start-up does not stop at the message about a missing device.
socat pty,raw,echo=0,link="$work/waage" pty,raw,echo=0,link="$work/sender" 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do [ -e "$work/waage" ] && break; sleep 0.1; done

# The large database: the template filled with one row a second from 2024-01-01 on.
mkdir -p "$work/gross" "$work/leer"
cp "$build/zel.neu" "$work/gross/zel.mdb"
sqlite3 "$work/gross/zel.mdb" >/dev/null <<SQL
PRAGMA journal_mode = OFF;
PRAGMA synchronous = OFF;
BEGIN;
WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < $rows)
INSERT INTO Gewichte (Datum, Gewicht)
SELECT strftime('%Y-%m-%d %H:%M:%S', '2024-01-01 00:00:00', '+' || i || ' seconds'), (i * 37) % 200000 / 10.0 FROM n;
COMMIT;
SQL
echo "database: $(sqlite3 "$work/gross/zel.mdb" 'select count(*) from Gewichte') rows," \
    "$(du -h "$work/gross/zel.mdb" | cut -f1)"

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# One start: prints the milliseconds until the window was mapped.
one_start() {
    local dir=$1 start pid window=""
    start=$(now_ms)
    "$program" --device "COM1=$work/waage" --data-dir "$dir" >"$work/program.log" 2>&1 &
    pid=$!
    # Polled rather than "search --sync", which looks only twice a second.
    for _ in $(seq 3000); do
        window=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n1) && [ -n "$window" ] && break
        sleep 0.01
    done
    local shown=$(now_ms)
    [ -n "$window" ] || { echo "shell_startup: the window was not shown" >&2; kill $pid; return 1; }
    xdotool windowfocus "$window" key --clearmodifiers alt+b
    for _ in $(seq 500); do kill -0 $pid 2>/dev/null || break; sleep 0.02; done
    kill $pid 2>/dev/null && wait $pid 2>/dev/null
    wait $pid 2>/dev/null || true
    echo $((shown - start))
}

summary() {
    sort -n | awk -v label="$1" '{ v[NR] = $1 } END {
        printf "%-28s median %5d ms   min %5d ms   max %5d ms   (%d runs)\n", label, v[int((NR + 1) / 2)], v[1], v[NR], NR }'
}

# The first start warms the caches and the font configuration; it is not counted.
one_start "$work/leer" >/dev/null
for _ in $(seq "$runs"); do rm -f "$work/leer/zel.mdb"; one_start "$work/leer"; done | summary "start, new empty database:"
for _ in $(seq "$runs"); do one_start "$work/gross"; done | summary "start, $rows rows:"
rows_after=$(sqlite3 "$work/gross/zel.mdb" 'select count(*) from Gewichte')
[ "$rows_after" -ge "$rows" ] || echo "shell_startup: the large database lost rows ($rows_after)" >&2
