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

# Runs a command with wine's own VCRUNTIME140.dll switched off, as on a Windows without Microsoft's Visual C++
# redistributable (wine brings it built in, Windows does not).
ohne_vc_laufzeit() {
    WINEDLLOVERRIDES="$WINEDLLOVERRIDES;vcruntime140=d" "$@"
}

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
    wine_deutsch
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
        # Only a window on the screen: one wine has made but not yet shown takes no keys.
        id=$(xdotool search --onlyvisible --name "^${titel}\$" 2>/dev/null | head -n1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.2
    done
    # What is on the screen instead, for the failure the caller reports.
    echo "kein sichtbares Fenster \"$titel\" nach $frist s; sichtbar: $(xdotool search --onlyvisible --name . 2>/dev/null |
        while read -r w; do printf '„%s“ ' "$(xdotool getwindowname "$w" 2>/dev/null)"; done)" >&2
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

# German for every wine process from here on. Wine reads the user's locale from the Unix one at each start and
# overwrites the registry's with it; without a de_DE locale on the host, setlocale() fails and wine reads
# LC_ALL itself, so this works on a bare Debian too. Bash's warning about the missing locale is dropped.
wine_deutsch() {
    export LC_ALL=de_DE.UTF-8 2>/dev/null
}

# The data of value $2 under registry key $1 as `wine reg query` lists it; false when the key or value is missing.
registerwert() {
    local liste
    liste=$(wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r') || return 1
    printf '%s\n' "$liste" | awk -F '    ' -v name="$2" '
        tolower($2) == tolower(name) && $3 ~ /^REG_/ { print $4; gefunden = 1; exit }
        END { exit !gefunden }'
}

# Waits up to $4 seconds (default 10) until value $2 under key $1 reads $3; false, with what it read, otherwise.
registerwert_warten() {
    local ende wert
    ende=$(($(date +%s) + ${4:-10}))
    while :; do
        wert=$(registerwert "$1" "$2") && [ "$wert" = "$3" ] && return 0
        [ "$(date +%s)" -ge "$ende" ] && break
        sleep 0.3
    done
    echo "${wert:-(fehlt)}"
    return 1
}

# Builds abfrage.c (foreground window, clipboard) for this test into $WIN_ABFRAGE.
abfrage_bauen() {
    WIN_ABFRAGE="$WIN_SCRATCH/abfrage.exe"
    command -v x86_64-w64-mingw32-gcc >/dev/null 2>&1 || fehlschlag "x86_64-w64-mingw32-gcc fehlt (mingw-w64)"
    x86_64-w64-mingw32-gcc -O2 -Wall -Werror -o "$WIN_ABFRAGE" "$(dirname "${BASH_SOURCE[0]}")/abfrage.c" ||
        fehlschlag "abfrage.c lässt sich nicht bauen"
}

# Builds halten.c (holds a file open as a virus scanner does) for this test into $WIN_HALTEN.
halten_bauen() {
    WIN_HALTEN="$WIN_SCRATCH/halten.exe"
    command -v x86_64-w64-mingw32-gcc >/dev/null 2>&1 || fehlschlag "x86_64-w64-mingw32-gcc fehlt (mingw-w64)"
    x86_64-w64-mingw32-gcc -municode -O2 -Wall -Werror -o "$WIN_HALTEN" "$(dirname "${BASH_SOURCE[0]}")/halten.c" ||
        fehlschlag "halten.c lässt sich nicht bauen"
}

# The caption of the window Windows has in front, the texts of its controls one a line, and the clipboard's
# text (abfrage_bauen first).
vordergrund() {
    wine "$WIN_ABFRAGE" vorn 2>/dev/null
}
vordergrund_texte() {
    wine "$WIN_ABFRAGE" texte 2>/dev/null | tr -d '\r'
}
zwischenablage() {
    wine "$WIN_ABFRAGE" ablage 2>/dev/null
}

# The rows of Gewichte in a zel.mdb: gewichte FILE [WHERE]. gewichte_warten FILE AT_LEAST [WHERE] waits up to
# 30 s for that many; when it gives up it prints the last count.
gewichte() {
    sqlite3 "$1" "select count(*) from Gewichte ${2:-}" 2>/dev/null
}
gewichte_warten() {
    local ende=$(($(date +%s) + 30)) n
    while :; do
        n=$(gewichte "$1" "${3:-}") && [ "${n:-0}" -ge "$2" ] && return 0
        [ "$(date +%s)" -ge "$ende" ] && break
        sleep 0.5
    done
    echo "${n:-0}"
    return 1
}

# Fails with the target's record kept beside the pictures, as NAME-protokoll.txt, where one can see what came
# when: ziel_scheitern NAME MESSAGE...
ziel_scheitern() {
    local name=$1 ablage="${GRAMURA_WINDOWS_BILDER:-${TMPDIR:-/tmp}}"
    shift
    mkdir -p "$ablage" && cp "$protokoll" "$ablage/$name-protokoll.txt" 2>/dev/null &&
        echo "Protokoll des Ziels: $ablage/$name-protokoll.txt"
    fehlschlag "$@"
}

# The record einfuegeziel.exe writes, named by $protokoll in the test that starts it: its number of lines, and
# a wait of up to $2 seconds for a line after line $3 that ends in " $1" (an extended regex).
zielzeilen() {
    wc -l <"$protokoll"
}
ziel_warten_auf() {
    local ende=$(($(date +%s%N) + $2 * 1000000000))
    while [ "$(date +%s%N)" -lt "$ende" ]; do
        tail -n "+$(($3 + 1))" "$protokoll" | grep -qE " $1\$" && return 0
        sleep 0.1
    done
    return 1
}

# Builds einfuegeziel.cpp (a Win32 window with an edit control that writes down its keys and text changes) for
# this test into $WIN_EINFUEGEZIEL; statically, so it needs no DLL of mingw's beside it.
einfuegeziel_bauen() {
    WIN_EINFUEGEZIEL="$WIN_SCRATCH/einfuegeziel.exe"
    command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 ||
        fehlschlag "x86_64-w64-mingw32-g++-posix fehlt (mingw-w64)"
    x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -Wall -Wextra -Wpedantic -Wshadow -Werror -DUNICODE -D_UNICODE \
        -static -s -o "$WIN_EINFUEGEZIEL" "$(dirname "${BASH_SOURCE[0]}")/einfuegeziel.cpp" ||
        fehlschlag "einfuegeziel.cpp lässt sich nicht bauen"
}

# Waits until process $1 (the wine process a test started) has ended, up to $2 seconds, else fails saying that
# the program still runs that long after $3 (what ended it: „Beenden“, Alt+F4, …).
ende_warten() {
    local ende=$(($(date +%s) + $2))
    while kill -0 "$1" 2>/dev/null; do
        [ "$(date +%s)" -lt "$ende" ] || fehlschlag "gramura.exe läuft $2 s nach $3 noch"
        sleep 0.2
    done
}
