#!/bin/sh
# Runs a command on an X server of its own: Xvfb on a free display, kept across client disconnects
# (-noreset), with the German keyboard layout the operators use, or the one HANDOVER_XKB gives in setxkbmap's
# words (e.g. "-layout us -variant dvorak"). Usage: handover_xvfb.sh command [args...]
set -u
nummer=$(( ($$ % 400) + 200 ))
while [ -e "/tmp/.X${nummer}-lock" ] || [ -e "/tmp/.X11-unix/X${nummer}" ]; do
    nummer=$((nummer + 1))
done
Xvfb ":${nummer}" -noreset -nolisten tcp -screen 0 1280x800x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null' EXIT INT TERM
versuche=0
until [ -S "/tmp/.X11-unix/X${nummer}" ]; do
    versuche=$((versuche + 1))
    if [ "$versuche" -gt 100 ] || ! kill -0 "$xvfb" 2>/dev/null; then
        echo "handover_xvfb: Xvfb :${nummer} did not come up" >&2
        exit 1
    fi
    sleep 0.05
done
export DISPLAY=":${nummer}"
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
# shellcheck disable=SC2086 # the layout's words, split as setxkbmap wants them
setxkbmap -display "$DISPLAY" ${HANDOVER_XKB:-de} || exit 1
"$@"
