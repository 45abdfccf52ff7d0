#!/usr/bin/env bash
# The Windows program under wine beside the Linux build on the same machine: cold start to the first drawn
# window (--demo, a fresh data folder each run, a fresh wine prefix for the first run and a warm one after),
# and idle CPU with the window shown (the program and the wineserver that serves it).
# Usage: bench/windows_bench.sh [RUNS] [SECONDS]   (defaults: 5, 30)
# Needs build-windows/deploy (scripts/windows.sh), build/gramura, wine, Xvfb, xdotool.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-5}
seconds=${2:-30}
export GRAMURA_WINDOWS_BUILD=${GRAMURA_WINDOWS_BUILD:-$here/build-windows}
vorlage=${GRAMURA_WINE_VORLAGE:-}
. "$here/tests/windows/wine_umgebung.sh"
# The tests' helpers poll with commands that fail until the window is there.
set +e
windows_oder_auslassen
[ -x "$here/build/gramura" ] || { echo "windows_bench: build/gramura fehlt" >&2; exit 1; }
if [ -z "$vorlage" ]; then
    vorlage=$(mktemp -d)/vorlage
    bash "$here/tests/windows/vorlage.sh" "$vorlage" >/dev/null
fi
WIN_VORLAGE=$vorlage
prefix_bereiten
xvfb_starten
titel="VELKOR ZEL Desktop"

ms() { date +%s%3N; }
# Milliseconds from the start of "$@" until its window is on the screen; the program is then ended.
bis_zum_fenster() {
    local anfang ende id
    anfang=$(ms)
    "$@" >/dev/null 2>&1 &
    local pid=$!
    until id=$(xdotool search --onlyvisible --name "^${titel}\$" 2>/dev/null | head -n1) && [ -n "$id" ]; do
        sleep 0.02
    done
    ende=$(ms)
    echo $((ende - anfang))
    xdotool windowfocus "$id" key --clearmodifiers alt+b >/dev/null 2>&1 || true
    wait "$pid" 2>/dev/null || true
    fenster_weg "$titel" 30 || true
}
median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

daten() { local d="$WIN_SCRATCH/daten-$1"; rm -rf "$d"; mkdir -p "$d"; echo "$d"; }

erster=$(bis_zum_fenster wine "$WIN_DEPLOY/gramura.exe" --demo --data-dir "$(winpfad "$(daten erst)")")
wineserver -w
wine_werte=()
linux_werte=()
for i in $(seq "$runs"); do
    wine_werte+=("$(bis_zum_fenster wine "$WIN_DEPLOY/gramura.exe" --demo --data-dir "$(winpfad "$(daten w$i)")")")
    wineserver -w
    linux_werte+=("$(QT_QPA_PLATFORM=xcb bis_zum_fenster "$here/build/gramura" --demo --data-dir "$(daten l$i)")")
done
echo "cold start to window, wine, fresh prefix: ${erster} ms"
echo "cold start to window, wine (wineserver not running), median of $runs: $(printf '%s\n' "${wine_werte[@]}" | median) ms  [${wine_werte[*]}]"
echo "cold start to window, Linux build, median of $runs: $(printf '%s\n' "${linux_werte[@]}" | median) ms  [${linux_werte[*]}]"

# Idle: the window shown, the simulated indicator sending, nothing touched.
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
# The process of this prefix that pgrep finds with "$@" (other wine programs on the machine are not ours).
im_prefix() {
    local p
    for p in $(pgrep "$@"); do
        tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && { echo "$p"; return 0; }
    done
    return 1
}
cpu_prozent() {
    local name=$1
    shift
    "$@" >/dev/null 2>&1 &
    local pid=$!
    fenster_warten "$titel" 60 >/dev/null
    sleep 3
    local progpid server t0 s0 t1 s1
    progpid=$pid
    server=""
    if [ "$name" = wine ]; then
        progpid=$(im_prefix -f 'gramura\.exe')
        server=$(im_prefix -f 'wineserver(64)?( |$)' || true)
    fi
    t0=$(ticks "$progpid"); s0=0; [ -n "$server" ] && s0=$(ticks "$server")
    sleep "$seconds"
    t1=$(ticks "$progpid"); s1=0; [ -n "$server" ] && s1=$(ticks "$server")
    awk -v p=$((t1 - t0)) -v s=$((s1 - s0)) -v hz="$hz" -v sec="$seconds" -v n="$name" \
        'BEGIN { printf "idle CPU over %d s, %s: program %.2f %% of a core, wineserver %.2f %%\n", sec, n, 100 * p / hz / sec, 100 * s / hz / sec }'
    local id
    id=$(xdotool search --onlyvisible --name "^${titel}\$" | head -n1)
    xdotool windowfocus "$id" key --clearmodifiers alt+b >/dev/null 2>&1 || kill "$pid"
    wait "$pid" 2>/dev/null || true
    fenster_weg "$titel" 30 || true
}
cpu_prozent "wine" wine "$WIN_DEPLOY/gramura.exe" --demo --data-dir "$(winpfad "$(daten cpu-w)")"
wineserver -w
QT_QPA_PLATFORM=xcb cpu_prozent "Linux" "$here/build/gramura" --demo --data-dir "$(daten cpu-l)"
echo "installer: $(ls -l "$WIN_BUILD"/gramura-*-win64.exe | awk '{ printf "%s %.1f MiB", $9, $5 / 1048576 }')"
