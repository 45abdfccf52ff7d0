#!/usr/bin/env bash
# Builds the Debian package from the build tree, installs it with apt-get, starts /usr/bin/gramura under
# xvfb-run with a fresh user's folders, checks that the database appears in the per-user data folder and
# that the program ends cleanly on Alt+B ("&Beenden"), then removes the package.
# Usage: package_test.sh BUILD_DIR
set -uo pipefail
build=${1:?build dir}
limit=${WAIT_SECONDS:-30}
title="VELKOR ZEL Desktop"

if [ "$(id -u)" != 0 ]; then
    echo "SKIP: installing a package needs root (run as root on a CI machine)"
    exit 77
fi
for tool in cpack apt-get dpkg xvfb-run xdotool xwininfo socat; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
if dpkg-query -W -f='${Status}' gramura 2>/dev/null | grep -q "install ok installed"; then
    echo "SKIP: a gramura package is installed already; this test would replace and remove it"
    exit 77
fi

work=$(mktemp -d)
installed=0
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    [ $installed = 1 ] && DEBIAN_FRONTEND=noninteractive apt-get remove -y gramura >/dev/null 2>&1
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    for log in "$work"/*.log; do [ -s "$log" ] && { echo "--- $log"; tail -n 40 "$log"; }; done
    exit 1
}
until_true() {
    local deadline=$((SECONDS + $1)); shift
    while ! "$@"; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.2
    done
}

# --- build and install the package
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/pkg") >"$work/cpack.log" 2>&1 ||
    fail "cpack could not build the package"
deb=$(ls "$work"/pkg/gramura_*.deb 2>/dev/null | head -n1)
[ -n "$deb" ] || fail "no gramura_*.deb in $work/pkg"
echo "package: $(basename "$deb")"
contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/gramura ./usr/share/gramura/zel.neu ./usr/share/gramura/zentrale.sql \
    ./usr/share/applications/gramura.desktop \
    ./usr/share/icons/hicolor/scalable/apps/gramura.svg ./usr/share/icons/hicolor/32x32/apps/gramura.png; do
    grep -q " $path\$" <<<"$contents" || fail "the package lacks $path"
done
# apt needs a path it recognises as a file: ./ or absolute.
DEBIAN_FRONTEND=noninteractive apt-get install -y "$deb" >"$work/apt-install.log" 2>&1 ||
    fail "apt-get could not install the package"
installed=1
[ -x /usr/bin/gramura ] || fail "/usr/bin/gramura is missing after installing"

# --- a fresh user: nothing in the data folder yet
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_RUNTIME_DIR=$work/run DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus" QT_QPA_PLATFORM=xcb
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
database=$XDG_DATA_HOME/Gramura/zel.mdb

# The indicator's line, so start-up does not stop at the message about a missing device.
socat pty,raw,echo=0,link="$work/waage" pty,raw,echo=0,link="$work/sender" 2>"$work/socat.log" &
pids+=($!)
until_true 10 test -e "$work/waage" || fail "socat did not create the line"

# Runs inside xvfb-run: start the program, wait for its window and database, end it with Alt+B.
cat >"$work/run.sh" <<'INNER'
set -uo pipefail
until_true() {
    local deadline=$((SECONDS + $1)); shift
    while ! "$@"; do [ $SECONDS -ge $deadline ] && return 1; sleep 0.2; done
}
/usr/bin/gramura --device "COM1=$WAAGE" >"$WORK/program.log" 2>&1 &
pid=$!
window=$(timeout "$LIMIT" xdotool search --sync --onlyvisible --name "^$TITLE\$" | head -n1)
[ -n "$window" ] || { echo "FAIL: the window was not shown"; kill $pid; exit 1; }
until_true "$LIMIT" test -s "$DATABASE" || { echo "FAIL: no database at $DATABASE"; kill $pid; exit 1; }
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
xdotool key --clearmodifiers alt+b
until_true "$LIMIT" eval '! kill -0 $pid 2>/dev/null' || { echo "FAIL: Alt+B did not end the program"; kill $pid; exit 1; }
wait $pid
code=$?
[ $code -eq 0 ] || { echo "FAIL: the program ended with $code"; exit 1; }
echo "program ended with 0"
INNER
WORK=$work WAAGE=$work/waage LIMIT=$limit TITLE=$title DATABASE=$database \
    xvfb-run -a -s "-noreset -screen 0 1280x1024x24" bash "$work/run.sh" >"$work/run.log" 2>&1
status=$?
cat "$work/run.log"
[ $status -eq 0 ] || fail "the installed program did not run as expected"

# The database was made from the installed template and nowhere else.
[ -f "$database" ] || fail "no database in the per-user data folder"
cmp -s "$database" /usr/share/gramura/zel.neu || head -c 16 "$database" | grep -q "SQLite format 3" ||
    fail "$database is not a database"
[ ! -e /usr/bin/zel.mdb ] || fail "a database was made beside the program"

# --- remove it again
DEBIAN_FRONTEND=noninteractive apt-get remove -y gramura >"$work/apt-remove.log" 2>&1 ||
    fail "apt-get could not remove the package"
installed=0
[ ! -e /usr/bin/gramura ] || fail "/usr/bin/gramura is still there after removing"
echo "PASS"
