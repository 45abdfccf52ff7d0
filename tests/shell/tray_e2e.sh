#!/usr/bin/env bash
# The notification-area icon end to end: the real program on an X display of its own, a real tray host
# (trayer) and the real pointer and keyboard through xdotool.
# Usage: tray_e2e.sh PROGRAM CASE
#   CASE: restore      minimise, then a double click on the icon brings the window back
#         menu         a single left click does nothing; the right button opens the menu; "Beenden" ends it
#         menu_restore the menu's "Wiederherstellen" brings the window back
#         no_tray      without a tray host, "&Minimieren" minimises the window to the task bar
#         second_start a second start for the same data folder brings the hidden window back and ends; one for
#                      another folder runs beside it; --export just exports; after a kill -9 a start runs
# Every wait is on a condition with a deadline; nothing is decided by how long something took.
set -uo pipefail
program=${1:?program}
case_name=${2:?case}
title="VELKOR ZEL Desktop"
limit=${WAIT_SECONDS:-20}

for tool in Xvfb xdotool xwininfo xprop socat; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
need_trayer=1
[ "$case_name" = no_tray ] && need_trayer=0
[ $need_trayer = 1 ] && ! command -v trayer >/dev/null && { echo "SKIP: trayer is not installed"; exit 77; }
[ $need_trayer = 0 ] && ! command -v twm >/dev/null && { echo "SKIP: twm is not installed"; exit 77; }

work=$(mktemp -d)
pids=()
program_pid=
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    echo "--- program output"; cat "$work/program.log" 2>/dev/null
    exit 1
}

# until SECONDS COMMAND...: true as soon as COMMAND succeeds, false when the deadline passes first.
until_true() {
    local deadline=$((SECONDS + $1)); shift
    while ! "$@"; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.1
    done
}

map_state() { xwininfo -id "$1" 2>/dev/null | awk -F': ' '/Map State/ { print $2 }'; }
is_viewable() { [ "$(map_state "$1")" = IsViewable ]; }
is_unmapped() { [ "$(map_state "$1")" = IsUnMapped ]; }
program_running() { kill -0 "$program_pid" 2>/dev/null; }
program_ended() { ! program_running; }

# The program's windows embedded in the tray host: the icon. trayer reparents each icon into a socket of
# its own, so the whole tree below trayer's window is searched.
tray_icons() {
    local host
    for host in $(xdotool search --class '^trayer$' 2>/dev/null); do
        xwininfo -tree -id "$host" 2>/dev/null | awk '/"[Gg]ramura"/ { print $1 }'
    done | sort -u
}
icon_count() { tray_icons | grep -c . ; }
icon_present() { [ "$(icon_count)" -ge 1 ]; }
icon_gone() { [ "$(icon_count)" -eq 0 ]; }

# Viewable top-level windows of the program other than the main window: the pop-up menu. A tool tip over
# the icon would be one too, so tool tips are left out.
popups() {
    xwininfo -root -children 2>/dev/null | awk '/"[Gg]ramura"/ { print $1 }' | while read -r w; do
        [ "$((w))" = "$((main_window))" ] && continue
        xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NET_WM_WINDOW_TYPE_TOOLTIP && continue
        is_viewable "$w" && echo "$w"
    done
}
popup_open() { [ -n "$(popups)" ]; }
popup_closed() { [ -z "$(popups)" ]; }

# --- a display of our own, and settings and data that are not the user's
Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -dpi 96 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
until_true 10 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/share XDG_RUNTIME_DIR=$work/run
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# No session bus: the icon goes through the X11 tray protocol that trayer speaks.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus"
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

if [ $need_trayer = 1 ]; then
    trayer --edge bottom --align right --widthtype request --height 32 --SetDockType false \
        >"$work/trayer.log" 2>&1 &
    pids+=($!)
    trayer_running() { [ -n "$(xdotool search --class '^trayer$' 2>/dev/null)" ]; }
    until_true "$limit" trayer_running || fail "trayer did not start"
else
    # A small window manager to carry out the minimising; without one, no one would.
    # Xvfb has only its built-in font "fixed"; twm gives up without a font it can open.
    printf '%s\n' RandomPlacement 'UsePPosition "on"' NoGrabServer 'TitleFont "fixed"' 'ResizeFont "fixed"' \
        'MenuFont "fixed"' 'IconFont "fixed"' 'IconManagerFont "fixed"' >"$work/twmrc"
    LANG=C LC_ALL=C twm -display "$DISPLAY" -f "$work/twmrc" >"$work/twm.log" 2>&1 &
    pids+=($!)
fi

# --- the indicator's line: a pseudo-terminal pair, the program reads one end as COM1
socat pty,raw,echo=0,link="$work/waage" pty,raw,echo=0,link="$work/sender" 2>"$work/socat.log" &
socat_pid=$!
pids+=($socat_pid)
until_true 10 test -e "$work/waage" -a -e "$work/sender" || fail "socat did not create the line"
device=$(readlink -f "$work/waage")

"$program" --device "COM1=$work/waage" --data-dir "$work/data" >"$work/program.log" 2>&1 &
program_pid=$!

# The main window, mapped: -sync waits for it, the deadline keeps a program that never shows from hanging.
main_window=$(timeout "$limit" xdotool search --sync --onlyvisible --name "^$title\$" | head -n1)
[ -n "$main_window" ] || fail "the window \"$title\" was not shown"
until_true "$limit" is_viewable "$main_window" || fail "the window is not viewable"
# The serial port is open while the program runs.
holds_port() { ls -l "/proc/$program_pid/fd" 2>/dev/null | grep -q -- "-> $device\$"; }
until_true "$limit" holds_port || fail "the program did not open $device"
icon_gone || fail "an icon is in the tray before minimising"

size_of() { xwininfo -id "$1" | awk '/^ +Width:/ { w = $2 } /^ +Height:/ { h = $2 } END { print w "x" h }'; }
size_before=$(size_of "$main_window")

# Alt+M is the access key of "&Minimieren".
minimise() {
    xdotool windowfocus --sync "$main_window" 2>/dev/null || xdotool windowfocus "$main_window"
    xdotool key --clearmodifiers alt+m
}

# Double click with the interval well inside the platform's double-click time.
double_click() { xdotool mousemove --window "$1" 8 8 click --repeat 2 --delay 80 1; }

case "$case_name" in
restore)
    minimise
    until_true "$limit" is_unmapped "$main_window" || fail "the window was not hidden"
    until_true "$limit" icon_present || fail "no icon appeared in the tray"
    [ "$(icon_count)" -eq 1 ] || fail "more than one icon: $(tray_icons | tr '\n' ' ')"
    icon=$(tray_icons | head -n1)
    double_click "$icon"
    until_true "$limit" is_viewable "$main_window" || fail "the double click did not bring the window back"
    until_true "$limit" icon_gone || fail "the icon stayed after restoring"
    [ "$(size_of "$main_window")" = "$size_before" ] || fail "size changed: $size_before -> $(size_of "$main_window")"
    # Hiding again adds the icon anew.
    minimise
    until_true "$limit" is_unmapped "$main_window" || fail "the window was not hidden the second time"
    until_true "$limit" icon_present || fail "no icon the second time"
    double_click "$(tray_icons | head -n1)"
    until_true "$limit" is_viewable "$main_window" || fail "not restored the second time"
    until_true "$limit" icon_gone || fail "the icon stayed after the second restore"
    program_running || fail "the program ended"
    ;;
menu | menu_restore)
    minimise
    until_true "$limit" is_unmapped "$main_window" || fail "the window was not hidden"
    until_true "$limit" icon_present || fail "no icon appeared in the tray"
    icon=$(tray_icons | head -n1)
    if [ "$case_name" = menu ]; then
        # A single left click must do nothing. The right click after it is handled after it, so once the
        # menu is open the single click has had its turn too. The right click comes after the double-click
        # time (400 ms by default): a second press within it reaches the icon as a double click, whichever
        # button, and a right-button double click opens no menu.
        xdotool mousemove --window "$icon" 8 8 click 1
        sleep 0.6
        xdotool mousemove --window "$icon" 9 9 click 3
        until_true "$limit" popup_open || fail "the right click opened no menu"
        is_unmapped "$main_window" || fail "a single left click (or the right click) showed the window"
        icon_present || fail "the icon went away on a single click or the right click"
        # Choosing nothing leaves everything as it was.
        xdotool key Escape
        until_true "$limit" popup_closed || fail "Escape did not close the menu"
        is_unmapped "$main_window" || fail "closing the menu showed the window"
        icon_present || fail "closing the menu removed the icon"
        # The menu's window may still hold the pointer for a moment after it closed, and a click sent then
        # is lost there; that the right click opens the menu was shown above, so here it may be repeated.
        for attempt in 1 2 3; do
            xdotool mousemove --window "$icon" 8 8 click 3
            until_true 3 popup_open && break
        done
    else
        xdotool mousemove --window "$icon" 8 8 click 3
    fi
    until_true "$limit" popup_open || fail "the right click opened no menu"
    menu=$(popups | head -n1)
    read -r mw mh < <(xwininfo -id "$menu" | awk '/^ +Width:/ { w = $2 } /^ +Height:/ { h = $2 } END { print w, h }')
    if [ "$case_name" = menu ]; then
        # Two entries of equal height: the lower quarter is "Beenden".
        xdotool mousemove --window "$menu" $((mw / 2)) $((mh * 3 / 4)) click 1
        until_true "$limit" program_ended || fail "\"Beenden\" did not end the program"
        wait "$program_pid"
        code=$?
        program_pid=
        [ $code -eq 0 ] || fail "the program ended with $code"
        until_true "$limit" icon_gone || fail "the icon outlived the program"
        ! is_viewable "$main_window" || fail "the window was shown on the way out"
        # Nobody but socat, the line's other end, holds the device any more.
        for fds in /proc/[0-9]*/fd; do
            [ "$fds" = "/proc/$socat_pid/fd" ] && continue
            ls -l "$fds" 2>/dev/null | grep -q -- "-> $device\$" && fail "$device is still open ($fds)"
        done
        grep -qi "warning\|error" "$work/program.log" && { echo "--- program output"; cat "$work/program.log"; }
    else
        xdotool mousemove --window "$menu" $((mw / 2)) $((mh / 4)) click 1
        until_true "$limit" is_viewable "$main_window" || fail "\"Wiederherstellen\" did not bring the window back"
        until_true "$limit" icon_gone || fail "the icon stayed after \"Wiederherstellen\""
        [ "$(size_of "$main_window")" = "$size_before" ] || fail "size changed"
        program_running || fail "the program ended"
    fi
    ;;
second_start)
    minimise
    until_true "$limit" is_unmapped "$main_window" || fail "the window was not hidden"
    until_true "$limit" icon_present || fail "no icon appeared in the tray"
    # Autostart ran the program; now the operator clicks its menu entry.
    timeout "$limit" "$program" --device "COM1=$work/waage" --data-dir "$work/data" >"$work/second.log" 2>&1
    code=$?
    [ $code -eq 0 ] || fail "the second start ended with $code: $(cat "$work/second.log")"
    until_true "$limit" is_viewable "$main_window" || fail "the second start did not bring the window back"
    until_true "$limit" icon_gone || fail "the icon stayed after the second start"
    program_running || fail "the first program ended"
    running=$(pgrep -c -f -- "--data-dir $work/data\$" || true)
    [ "$running" = 1 ] || fail "$running programs run for one data folder"
    # The window is shown already: a further start only brings it to the front, and ends.
    timeout "$limit" "$program" --data-dir "$work/data" >>"$work/second.log" 2>&1 || fail "third start failed"
    # A scheduled export beside the running program exports and ends.
    timeout "$limit" "$program" --data-dir "$work/data" --export "$work/out.csv" >>"$work/second.log" 2>&1 ||
        fail "--export beside the running program failed: $(cat "$work/second.log")"
    [ -s "$work/out.csv" ] || fail "--export wrote no file"
    # Another data folder is another program.
    "$program" --data-dir "$work/other" >"$work/other.log" 2>&1 &
    other_pid=$!
    pids+=($other_pid)
    other_window() { xdotool search --onlyvisible --pid "$other_pid" --name "^$title\$" 2>/dev/null | head -n1; }
    has_other_window() { [ -n "$(other_window)" ]; }
    until_true "$limit" has_other_window || fail "a start for another folder did not show its window"
    kill -0 "$other_pid" 2>/dev/null || fail "the start for another folder ended"
    kill "$other_pid"
    # A program killed outright leaves its lock behind; the next start must not take it for a running one.
    kill -9 "$program_pid"
    wait "$program_pid" 2>/dev/null
    "$program" --device "COM1=$work/waage" --data-dir "$work/data" >"$work/program.log" 2>&1 &
    program_pid=$!
    new_window() { xdotool search --onlyvisible --pid "$program_pid" --name "^$title\$" 2>/dev/null | head -n1; }
    has_new_window() { [ -n "$(new_window)" ]; }
    until_true "$limit" has_new_window || fail "after a kill -9 the next start showed no window"
    main_window=$(new_window)
    ;;
no_tray)
    # The window manager has taken the window on once it has marked it normal.
    managed() { xprop -id "$main_window" WM_STATE 2>/dev/null | grep -q "window state: Normal"; }
    until_true "$limit" managed || fail "the window manager did not take the window on ($(cat "$work/twm.log"))"
    minimise
    iconic() { xprop -id "$main_window" WM_STATE 2>/dev/null | grep -q "window state: Iconic"; }
    until_true "$limit" iconic || fail "the window was not minimised (WM_STATE: $(xprop -id "$main_window" WM_STATE))"
    program_running || fail "the program ended"
    [ -z "$(xdotool search --class '^trayer$' 2>/dev/null)" ] || fail "a tray host is running"
    ;;
*)
    echo "unknown case $case_name" >&2
    exit 2
    ;;
esac

# Every case that leaves the program running ends it with Alt+B ("&Beenden"); it must end cleanly.
if [ -n "$program_pid" ]; then
    # A minimised window is mapped again first (the window manager de-iconifies it).
    is_viewable "$main_window" || xdotool windowmap "$main_window"
    until_true "$limit" is_viewable "$main_window" || fail "the window could not be shown again to end it"
    xdotool windowfocus --sync "$main_window" 2>/dev/null || xdotool windowfocus "$main_window"
    xdotool key --clearmodifiers alt+b
    until_true "$limit" program_ended || fail "the close request did not end the program"
    wait "$program_pid"
    code=$?
    program_pid=
    [ $code -eq 0 ] || fail "the program ended with $code after the close request"
    icon_gone || fail "the icon outlived the program"
fi
echo "PASS: $case_name"
