#!/bin/sh
# Cross-builds the Win32 keyboard adapters' checks with mingw-w64 and runs them under Wine in a fresh prefix:
# the key mapping under the null graphics driver, then everything on an X display of its own with the German
# layout, where a real window receives the pasted text. Installs nothing.
# Usage: run-wine-tests.sh [build-directory]   (default: a temporary one)
set -u

here=$(cd "$(dirname "$0")" && pwd)

missing=""
for tool in x86_64-w64-mingw32-g++-posix wine wineserver; do
    command -v "$tool" >/dev/null 2>&1 || missing="$missing $tool"
done
if [ -n "$missing" ]; then
    echo "SKIPPED: Windows adapter checks need the mingw-w64 toolchain and Wine; missing:$missing"
    exit 0
fi
for tool in cmake xvfb-run setxkbmap; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "FAILED: $tool is missing"
        exit 1
    fi
done

build=${1:-}
scratch=$(mktemp -d "${TMPDIR:-/tmp}/gramura-wine.XXXXXX") || exit 1
if [ -z "$build" ]; then
    build="$scratch/build"
fi
export WINEPREFIX="$scratch/prefix"
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko: their install prompts would stall a fresh prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="

cleanup() {
    wineserver -k >/dev/null 2>&1
    rm -rf "$scratch"
}
trap cleanup EXIT INT TERM

started=$(date +%s)
generator=""
if command -v ninja >/dev/null 2>&1; then
    generator="-G Ninja"
fi
# shellcheck disable=SC2086
if ! cmake -S "$here" -B "$build" $generator -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64-posix.cmake" >"$scratch/configure.log" 2>&1; then
    cat "$scratch/configure.log"
    echo "FAILED: configuring the cross-build"
    exit 1
fi
if ! cmake --build "$build" -j2; then
    echo "FAILED: cross-building"
    exit 1
fi
exe="$build/win_adapters_test.exe"
built=$(date +%s)
echo "cross-build: $((built - started)) s"

# The null driver wants no display at all.
drivers='HKCU\Software\Wine\Drivers'
env -u DISPLAY -u WAYLAND_DISPLAY wine reg add "$drivers" /v Graphics /d null /f >/dev/null 2>&1
env -u DISPLAY -u WAYLAND_DISPLAY timeout 120 wine "$exe" mapping
nullResult=$?
# Wine itself has been seen to hang once in a long while while a fresh prefix settles (the run normally takes
# seconds); a hang gets one more try with its wineserver gone, so a hang of the adapters still fails twice.
if [ "$nullResult" -eq 124 ]; then
    echo "null driver: no answer within 120 s, trying once more"
    wineserver -k >/dev/null 2>&1
    env -u DISPLAY -u WAYLAND_DISPLAY timeout 120 wine "$exe" mapping
    nullResult=$?
fi
wine reg delete "$drivers" /v Graphics /f >/dev/null 2>&1
wineserver -w
booted=$(date +%s)
echo "null driver (prefix created): $((booted - built)) s"

# wineserver must be gone before the X server is, or it loses its display mid-way.
x11Lauf() {
    timeout 120 xvfb-run -a -s "-noreset -screen 0 1024x768x24" sh -c \
        'setxkbmap de || exit 3; wine "$1"; result=$?; wineserver -w; exit $result' sh "$exe"
}
x11Lauf
x11Result=$?
# As above: one more try after a hang, with its wineserver gone.
if [ "$x11Result" -eq 124 ]; then
    echo "X11 driver: no answer within 120 s, trying once more"
    wineserver -k >/dev/null 2>&1
    x11Lauf
    x11Result=$?
fi
echo "X11 driver: $(($(date +%s) - booted)) s"

if [ "$nullResult" -ne 0 ] || [ "$x11Result" -ne 0 ]; then
    echo "FAILED: null driver exit $nullResult, X11 driver exit $x11Result"
    exit 1
fi
echo "PASSED in $(($(date +%s) - started)) s"
