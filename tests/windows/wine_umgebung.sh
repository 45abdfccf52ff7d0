# Shared by the tests of the Windows program under wine; sourced, not run. Each test gets a scratch folder with
# a wine prefix of its own (hard-linked from the template the fixture made, so it costs seconds), an X server
# of its own with the German keyboard layout, and is cleaned up on exit.
#   GRAMURA_WINDOWS_BUILD   the Windows build folder (its deploy/ and installer), set by CTest
#   GRAMURA_WINE_VORLAGE    the template prefix made by vorlage.sh, set by CTest
set -u

WIN_BUILD=${GRAMURA_WINDOWS_BUILD:-}
WIN_DEPLOY="$WIN_BUILD/deploy"
WIN_VORLAGE=${GRAMURA_WINE_VORLAGE:-}

# Without the Windows build there is nothing to test: one line that says why, and the test counts as skipped.
windows_oder_auslassen() {
    if [ -z "$WIN_BUILD" ] || [ ! -f "$WIN_DEPLOY/gramura.exe" ]; then
        echo "SKIPPED: kein Windows-Build in ${WIN_BUILD:-(nicht gesetzt)}: Qt 6.8 für Windows fehlt (scripts/windows.sh mit QT_WINDOWS_TARBALL baut ihn)"
        exit 0
    fi
    for werkzeug in wine wineserver Xvfb xdotool setxkbmap; do
        if ! command -v "$werkzeug" >/dev/null 2>&1; then
            echo "FAILED: $werkzeug fehlt"
            exit 1
        fi
    done
}

export WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko: their install prompts would stall a fresh prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset QT_QPA_PLATFORM QT_PLUGIN_PATH WINEPATH WAYLAND_DISPLAY

WIN_SCRATCH=""
WIN_XVFB=""

aufraeumen() {
    if [ -n "$WIN_SCRATCH" ]; then
        WINEPREFIX="$WIN_SCRATCH/prefix" wineserver -k >/dev/null 2>&1
        WINEPREFIX="$WIN_SCRATCH/prefix" wineserver -w >/dev/null 2>&1
    fi
    [ -n "$WIN_XVFB" ] && kill "$WIN_XVFB" 2>/dev/null && wait "$WIN_XVFB" 2>/dev/null
    [ -n "$WIN_SCRATCH" ] && rm -rf "$WIN_SCRATCH"
}

# A scratch folder and a prefix from the template; Z: is the Linux root as in every prefix.
prefix_bereiten() {
    WIN_SCRATCH=$(mktemp -d "${TMPDIR:-/tmp}/gramura-win.XXXXXX") || exit 1
    trap aufraeumen EXIT INT TERM
    if [ -z "$WIN_VORLAGE" ] || [ ! -f "$WIN_VORLAGE/system.reg" ]; then
        echo "FAILED: keine Vorlage eines wine-Präfixes in ${WIN_VORLAGE:-(nicht gesetzt)} (Test windows_vorlage)"
        exit 1
    fi
    # Hard links: wine replaces its registry files as a whole and the tests write nothing into the system's.
    cp -al "$WIN_VORLAGE" "$WIN_SCRATCH/prefix"
    for reg in system.reg user.reg userdef.reg; do
        rm -f "$WIN_SCRATCH/prefix/$reg"
        cp "$WIN_VORLAGE/$reg" "$WIN_SCRATCH/prefix/$reg"
    done
    export WINEPREFIX="$WIN_SCRATCH/prefix"
    WIN_C="$WINEPREFIX/drive_c"
    WIN_BENUTZER="$WIN_C/users/$(id -un)"
    WIN_LOCALAPPDATA="$WIN_BENUTZER/AppData/Local"
}

# An X server of its own with the layout the operators use.
xvfb_starten() {
    local nummer=$(( ($$ % 400) + 600 ))
    while [ -e "/tmp/.X${nummer}-lock" ] || [ -e "/tmp/.X11-unix/X${nummer}" ]; do
        nummer=$((nummer + 1))
    done
    Xvfb ":${nummer}" -noreset -nolisten tcp -screen 0 1280x1024x24 -dpi 96 >/dev/null 2>&1 &
    WIN_XVFB=$!
    local versuche=0
    until [ -S "/tmp/.X11-unix/X${nummer}" ]; do
        versuche=$((versuche + 1))
        if [ "$versuche" -gt 200 ] || ! kill -0 "$WIN_XVFB" 2>/dev/null; then
            echo "FAILED: Xvfb :${nummer} kam nicht hoch"
            exit 1
        fi
        sleep 0.05
    done
    export DISPLAY=":${nummer}"
    setxkbmap -display "$DISPLAY" de || { echo "FAILED: setxkbmap de"; exit 1; }
}

# Prints the X window id of the first window whose title is exactly $1, waiting up to $2 seconds (default 60).
fenster_warten() {
    local titel=$1 frist=${2:-60} ende id
    ende=$(($(date +%s) + frist))
    while [ "$(date +%s)" -lt "$ende" ]; do
        id=$(xdotool search --name "^${titel}\$" 2>/dev/null | head -n1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.2
    done
    return 1
}

# Waits until no window titled exactly $1 is left, up to $2 seconds.
fenster_weg() {
    local titel=$1 frist=${2:-30} ende
    ende=$(($(date +%s) + frist))
    while [ "$(date +%s)" -lt "$ende" ]; do
        xdotool search --name "^${titel}\$" >/dev/null 2>&1 || return 0
        sleep 0.2
    done
    return 1
}

# The whole screen as PNG.
bildschirm() {
    xwd -root -silent -display "$DISPLAY" | xwdtopnm 2>/dev/null | pnmtopng >"$1"
}

# A Windows path for a Linux one (wine maps the Linux root to Z:).
winpfad() {
    printf 'Z:%s' "$1" | tr '/' '\\'
}

fehlschlag() {
    echo "FAILED: $*"
    exit 1
}

# True while a gramura.exe of this test's prefix runs (other tests' wine processes are not this one's).
laeuft_gramura() {
    local pid
    for pid in $(pgrep -f 'gramura\.exe' 2>/dev/null); do
        if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
            return 0
        fi
    done
    return 1
}
