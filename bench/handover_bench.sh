#!/bin/sh
# Figures for the weight hand-over, each on an X server of its own:
#  1. hotkey down -> text in the target: median and worst of N pastes (default 50), once as is, once
#     with a clipboard manager's stand-in reading every new content (leser=1), and once sampled at the
#     ticks as where the X server reports no raw key events (ereignisse=0);
#  2. CPU of the running program, idle with the key watch active, in % of one core.
# Usage: handover_bench.sh <handover_x11_test> <gramura> [count] [seconds]
set -eu
test_bin=$1
programm=$2
anzahl=${3:-50}
sekunden=${4:-10}
xvfb="$(dirname "$0")/../tests/handover/handover_xvfb.sh"

HANDOVER_E2E_ANZAHL=$anzahl HANDOVER_E2E_ZEITEN=1 "$xvfb" "$test_bin" \
    --gtest_filter=HandoverX11.WiederholtesEinfuegenKommtJedesMalAn | grep -E "HANDOVER_LATENZ|FAILED|PASSED"
HANDOVER_E2E_LESER=1 HANDOVER_E2E_ANZAHL=$anzahl HANDOVER_E2E_ZEITEN=1 "$xvfb" "$test_bin" \
    --gtest_filter=HandoverX11.WiederholtesEinfuegenKommtJedesMalAn | grep -E "HANDOVER_LATENZ|FAILED|PASSED"
HANDOVER_E2E_ANZAHL=$anzahl HANDOVER_E2E_ZEITEN=1 "$xvfb" "$test_bin" \
    --gtest_filter=HandoverX11Abfrage.WiederholtesEinfuegenKommtJedesMalAn | grep -E "HANDOVER_LATENZ|FAILED|PASSED"

arbeit=$(mktemp -d)
trap 'rm -rf "$arbeit"' EXIT
cat >"$arbeit/leerlauf.sh" <<'INNER'
#!/bin/sh
set -eu
arbeit=$1; programm=$2; sekunden=$3
socat pty,raw,echo=0,link="$arbeit/waage" pty,raw,echo=0,link="$arbeit/com1" &
socat_pid=$!
while [ ! -e "$arbeit/com1" ]; do sleep 0.05; done
XDG_CONFIG_HOME="$arbeit/config" "$programm" --device "COM1=$arbeit/com1" --data-dir "$arbeit" &
pid=$!
sleep 1
printf '=05.2100' >"$arbeit/waage"
sleep 2
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
vorher=$(ticks "$pid")
sleep "$sekunden"
nachher=$(ticks "$pid")
kill "$pid" "$socat_pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
awk -v t=$((nachher - vorher)) -v hz="$hz" -v s="$sekunden" \
    'BEGIN { printf "HANDOVER_CPU_LEERLAUF seconds=%d cpu_percent_of_one_core=%.2f\n", s, 100 * t / hz / s }'
INNER
chmod +x "$arbeit/leerlauf.sh"
"$xvfb" "$arbeit/leerlauf.sh" "$arbeit" "$programm" "$sekunden"
