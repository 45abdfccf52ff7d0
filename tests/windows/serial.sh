#!/bin/bash
# COM 1 of gramura.exe under wine, stored as the port in the registry (Port=0) with the one-second recording on.
#  1. No COM 1 at all: the program says so in a message box, "Es konnte keine Verbindung zur Wiegeanzeige
#     hergestellt werden!" with the port's name, before its window shows, and shows the window after OK.
#  2. COM 1 as one end of a pseudo-terminal pair: the indicator's telegrams go into the other end at the pace of
#     2400 baud, and the program must show and record their weight once a second; then, after three silent
#     seconds, another weight. Should wine leave the characters unread at the port (as a wine whose serial
#     driver does not pass them on would), the test says skipped, with the count of unread bytes; a program
#     that reads them and still shows or records something else fails.
. "$(dirname "$0")/wine_umgebung.sh"
windows_oder_auslassen
for werkzeug in socat sqlite3; do
    command -v "$werkzeug" >/dev/null 2>&1 || fehlschlag "$werkzeug fehlt"
done
prefix_bereiten
xvfb_starten
abfrage_bauen

einstellungen='HKCU\Software\VB and VBA Program Settings\Gramura\frm_Settings'
wine reg add "$einstellungen" /v Port /d 0 /f >/dev/null 2>&1 || fehlschlag "reg add Port"
wine reg add "$einstellungen" /v chk1s /d 1 /f >/dev/null 2>&1 || fehlschlag "reg add chk1s"

# Wine's mount manager links dosdevices\comN anew at each start of the prefix: to the device that
# HKLM\Software\Wine\Ports names, to nothing for an empty name, else to the host's /dev/ttyS* in turn. A link
# made by hand is gone by the next start, and COM 1 is then a ttyS0 that never receives anything.
com1_setzen() {
    wine reg add 'HKLM\Software\Wine\Ports' /v COM1 /d "$1" /f >/dev/null 2>&1 || fehlschlag "reg add Ports COM1"
    wineserver -k
    wineserver -w
    rm -f "$WINEPREFIX/dosdevices/com1"
}

# Like fenster_warten, but only a window that is mapped: wine creates its X windows before it shows them,
# and keys cannot be typed into one not yet shown.
sichtbar_warten() {
    local ende=$(($(date +%s) + $2)) id
    while [ "$(date +%s)" -lt "$ende" ]; do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.2
    done
    return 1
}

# Ends gramura.exe as the operator would, with Alt+F4 on its window.
beenden() {
    xdotool windowfocus --sync "$1" key alt+F4
    fenster_weg "VELKOR ZEL Desktop" 30 || fehlschlag "das Fenster bleibt nach Alt+F4"
    local ende=$(($(date +%s) + 20))
    while kill -0 "$2" 2>/dev/null; do
        [ "$(date +%s)" -lt "$ende" ] || fehlschlag "gramura.exe läuft 20 s nach dem Schließen noch"
        sleep 0.2
    done
}

# --- 1. COM 1 missing ---------------------------------------------------------------------------------------
com1_setzen ""
daten="$WIN_SCRATCH/ohne"
mkdir -p "$daten"
wine "$WIN_DEPLOY/gramura.exe" --data-dir "$(winpfad "$daten")" >"$WIN_SCRATCH/ohne.txt" 2>&1 &
programm=$!
kasten=$(sichtbar_warten "Gramura" 90) || fehlschlag "keine Meldung \"Gramura\" nach 90 s ohne COM 1"
[ -e "$WINEPREFIX/dosdevices/com1" ] && fehlschlag "dosdevices\\com1 ist da: $(readlink "$WINEPREFIX/dosdevices/com1")"
xdotool search --onlyvisible --name '^VELKOR ZEL Desktop$' >/dev/null 2>&1 &&
    fehlschlag "das Fenster ist schon da, während die Meldung wartet"
# Ctrl+C in a message box puts its caption, text and buttons on the clipboard.
xdotool windowfocus --sync "$kasten" key ctrl+c
text=$(zwischenablage) || fehlschlag "nichts auf der Zwischenablage nach Strg+C in der Meldung"
case "$text" in
*"Es konnte keine Verbindung zur Wiegeanzeige hergestellt werden!"*) ;;
*) fehlschlag "die Meldung sagt: $text" ;;
esac
case "$text" in
*"COM1: "*) ;;
*) fehlschlag "die Meldung nennt den Port nicht: $text" ;;
esac
echo "Meldung ohne COM 1: $(printf '%s' "$text" | tr -d '\r' | grep -E 'Verbindung|COM1' | tr '\n' ' ')"
xdotool windowfocus --sync "$kasten" key Return
fenster_weg "Gramura" 20 || fehlschlag "die Meldung bleibt nach OK"
fenster=$(sichtbar_warten "VELKOR ZEL Desktop" 30) || fehlschlag "nach der Meldung kein Fenster \"VELKOR ZEL Desktop\""
beenden "$fenster" "$programm"

# --- 2. COM 1 as a pseudo-terminal, the indicator at its other end ------------------------------------------
socat -d -d pty,raw,echo=0,link="$WIN_SCRATCH/com1" pty,raw,echo=0,link="$WIN_SCRATCH/waage" \
    2>"$WIN_SCRATCH/socat.txt" &
socat_pid=$!
ende=$(($(date +%s) + 10))
until [ -e "$WIN_SCRATCH/com1" ] && [ -e "$WIN_SCRATCH/waage" ]; do
    [ "$(date +%s)" -lt "$ende" ] || fehlschlag "socat legt kein Paar an: $(cat "$WIN_SCRATCH/socat.txt")"
    sleep 0.1
done
com1_setzen "$WIN_SCRATCH/com1"

# The indicator: telegram $1 over and over, each character at the pace of 2400 baud, 8N1 (ten bits, 4.2 ms).
# read -t on a FIFO nobody writes waits without starting a process.
mkfifo "$WIN_SCRATCH/still" || fehlschlag "mkfifo"
waage_pid=""
trap 'kill $waage_pid "$socat_pid" 2>/dev/null; aufraeumen' EXIT INT TERM
waage_senden() {
    local telegramm=$1
    (
        exec 3>"$WIN_SCRATCH/waage" 5<>"$WIN_SCRATCH/still"
        while :; do
            for ((i = 0; i < ${#telegramm}; i++)); do
                printf '%s' "${telegramm:i:1}" >&3 || exit 0
                read -r -t 0.0042 -u 5
            done
        done
    ) &
    waage_pid=$!
}
waage_aus() {
    kill "$waage_pid" 2>/dev/null
    wait "$waage_pid" 2>/dev/null
    waage_pid=""
}

# The port opens on a silent line, as at a scale switched on after the program.
daten="$WIN_SCRATCH/mit"
mkdir -p "$daten"
wine "$WIN_DEPLOY/gramura.exe" --data-dir "$(winpfad "$daten")" >"$WIN_SCRATCH/mit.txt" 2>&1 &
programm=$!
if ! fenster=$(sichtbar_warten "VELKOR ZEL Desktop" 90); then
    # A message in front of the window says why.
    if kasten=$(sichtbar_warten "Gramura" 1); then
        xdotool windowfocus --sync "$kasten" key ctrl+c
        fehlschlag "kein Fenster \"VELKOR ZEL Desktop\" nach 90 s, eine Meldung: $(zwischenablage | tr -d '\r' | tr '\n' ' ')"
    fi
    fehlschlag "kein Fenster \"VELKOR ZEL Desktop\" nach 90 s: $(cat "$WIN_SCRATCH/mit.txt")"
fi
ziel=$(readlink "$WINEPREFIX/dosdevices/com1") || fehlschlag "wine hat COM 1 nicht angelegt"
[ "$ziel" = "$WIN_SCRATCH/com1" ] || fehlschlag "COM 1 führt zu $ziel statt zum Pseudo-Terminal"
sleep 2
if kasten=$(sichtbar_warten "Gramura" 1); then
    xdotool windowfocus --sync "$kasten" key ctrl+c
    fehlschlag "COM 1 am Pseudo-Terminal öffnet nicht: $(zwischenablage | tr -d '\r' | tr '\n' ' ')"
fi

# What the operator sees, read from the weight field itself: selected and copied through its context menu, as
# the field takes no focus. Up in a fresh menu goes to its last entry, "Alles auswählen".
gewicht_gezeigt() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$fenster")"
    # The field fills the first page below the tabs; its middle is the window's upper middle.
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT * 2 / 5)) click 3 sleep 0.5 key Up Return
    sleep 0.3
    xdotool click 3 sleep 0.5 key k
    sleep 0.3
    zwischenablage 2>/dev/null | tr -d '\r'
}

zeilen_mit() {
    sqlite3 "$daten/zel.mdb" "select count(distinct Datum) from Gewichte where abs(Gewicht - $1) < 0.001" 2>/dev/null
}

# Left unread at COM 1: what the program did not take from the line. Counted at a second handle of the
# terminal, which takes nothing either.
ungelesen() {
    env -u LC_ALL python3 - "$WIN_SCRATCH/com1" <<'PY'
import fcntl, os, struct, sys, termios
fd = os.open(sys.argv[1], os.O_RDONLY | os.O_NOCTTY | os.O_NONBLOCK)
print(struct.unpack('i', fcntl.ioctl(fd, termios.FIONREAD, b'\0\0\0\0'))[0])
PY
}

# pruefen TELEGRAM WEIGHT SHOWN WHEN: the indicator sends TELEGRAM; within 12 s the program records WEIGHT at
# two different seconds at least, and shows SHOWN. Unread bytes piling up at COM 1 mean wine gave the program
# nothing to read: skipped, with WHEN saying at which point. Otherwise the program read and failed.
pruefen() {
    local telegramm=$1 gewicht=$2 soll=$3 wann=$4 anfang ende zeilen gezeigt liegen
    waage_senden "$telegramm"
    anfang=$(date +%s)
    ende=$((anfang + 12))
    zeilen=0
    while [ "$(date +%s)" -lt "$ende" ]; do
        sleep 1
        zeilen=$(zeilen_mit "$gewicht")
        [ "${zeilen:-0}" -ge 2 ] && break
    done
    gezeigt=$(gewicht_gezeigt)
    if [ "${zeilen:-0}" -ge 2 ] && [ "$gezeigt" = "$soll" ]; then
        echo "$telegramm: \"$gezeigt\" gezeigt, $gewicht in $zeilen Sekunden aufgezeichnet, nach $(($(date +%s) - anfang)) s"
        return 0
    fi
    liegen=$(ungelesen) || fehlschlag "die ungelesenen Bytes an COM 1 lassen sich nicht zählen"
    if [ "${liegen:-0}" -lt 100 ]; then
        fehlschlag "das Programm liest COM 1 ($liegen Bytes ungelesen), zeigt aber \"$gezeigt\" statt $soll" \
            "und hat $gewicht in ${zeilen:-0} Sekunden aufgezeichnet"
    fi
    waage_aus
    beenden "$fenster" "$programm"
    echo "SKIPPED: wine meldet an COM 1 keine empfangenen Zeichen ($wann: $liegen Bytes von \"$telegramm\"" \
        "liegen nach $(($(date +%s) - anfang)) s ungelesen an COM 1, gezeigt \"$gezeigt\", $gewicht in ${zeilen:-0}" \
        "Sekunden aufgezeichnet; Öffnen, 2400 8N1 und die Meldung bei fehlendem Port gehen)"
    exit 0
}

pruefen "=05.2100" 12.5 "12,50" "auf einer Leitung, die beim Öffnen still war"
# Three silent seconds: the program waits for characters anew, and must hear the indicator come back.
waage_aus
sleep 3
[ "$(gewicht_gezeigt)" = "12,50" ] || fehlschlag "in der Pause steht nicht mehr 12,50 da"
pruefen "=00.5300" 35 "35,00" "nach drei Sekunden Stille"
erste35=$(sqlite3 "$daten/zel.mdb" "select min(Datum) from Gewichte where abs(Gewicht - 35) < 0.001")
letzte12=$(sqlite3 "$daten/zel.mdb" "select max(Datum) from Gewichte where abs(Gewicht - 12.5) < 0.001")
[[ "$letzte12" < "$erste35" ]] || fehlschlag "12,5 bis $letzte12 aufgezeichnet, 35 schon ab $erste35"
waage_aus
beenden "$fenster" "$programm"
echo "PASSED"
