#!/bin/bash
# One program per user and data folder: a second start brings the running window to the front (from behind
# another program's window, and back from the notification area) and ends at once with exit code 0; after the
# first was killed outright (its lock left behind in %TEMP%), a new start runs as usual.
. "$(dirname "$0")/wine_umgebung.sh"
windows_oder_auslassen
prefix_bereiten
xvfb_starten
abfrage_bauen

titel="VELKOR ZEL Desktop"
daten="$WIN_SCRATCH/daten"
mkdir -p "$daten"
bilder="${GRAMURA_WINDOWS_BILDER:-$WIN_SCRATCH}"
mkdir -p "$bilder"
# Where the lock lives: Qt's temporary folder is %TEMP%.
temp=$(winepath -u "$(wine cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')" 2>/dev/null)
[ -d "$temp" ] || fehlschlag "kein Ordner %TEMP% ($temp)"
# The window's buttons at its design size, in pixels at 96 dpi (15 twips each): "Beenden" at 60, "Minimieren"
# at 7065, both 1395 wide and 4410 down.
knopf_y=$(((4410 + 187 + 7) / 15))
beenden_x=$(((60 + 697 + 7) / 15))
minimieren_x=$(((7065 + 697 + 7) / 15))

erster=""
fenster=""
erster_starten() {
    : >"$WIN_SCRATCH/erster.txt"
    wine "$WIN_DEPLOY/gramura.exe" --demo --data-dir "$(winpfad "$daten")" >"$WIN_SCRATCH/erster.txt" 2>&1 &
    erster=$!
    fenster=$(fenster_warten "$titel" 90) || fehlschlag "$1: kein Fenster nach 90 s ($(cat "$WIN_SCRATCH/erster.txt"))"
    sleep 2
    kill -0 "$erster" 2>/dev/null || fehlschlag "$1: das Programm endet gleich wieder: $(cat "$WIN_SCRATCH/erster.txt")"
    grep -q "antwortet aber nicht" "$WIN_SCRATCH/erster.txt" && fehlschlag "$1: $(cat "$WIN_SCRATCH/erster.txt")"
    return 0
}

# Starts the program a second time for the same folder: it must end by itself with 0 within 10 s (it gives the
# running one up to 5 s to answer).
zweiter_start() {
    local beginn dauer rc
    beginn=$(date +%s%N)
    timeout 30 wine "$WIN_DEPLOY/gramura.exe" --data-dir "$(winpfad "$daten")" >"$WIN_SCRATCH/zweiter.txt" 2>&1
    rc=$?
    dauer=$((($(date +%s%N) - beginn) / 1000000))
    [ "$rc" -eq 0 ] || fehlschlag "$1: der zweite Start endet mit $rc nach $dauer ms: $(cat "$WIN_SCRATCH/zweiter.txt")"
    [ "$dauer" -le 10000 ] || fehlschlag "$1: der zweite Start braucht $dauer ms"
    # Qt's own notes about what wine's display lacks (lines "qt.qpa.…") are no word of the program's.
    gesagt=$(tr -d '\r' <"$WIN_SCRATCH/zweiter.txt" | grep -v '^qt\.' | grep -v '^"Unable to open monitor' || true)
    [ -n "$gesagt" ] && fehlschlag "$1: der zweite Start sagt: $gesagt"
    echo "$1: der zweite Start endet nach $dauer ms mit 0"
}

# The first X window that `xdotool search ARGS...` finds within 30 s.
x_suchen() {
    local ende=$(($(date +%s) + 30)) id
    while :; do
        id=$(xdotool search "$@" 2>/dev/null | head -n1)
        [ -n "$id" ] && echo "$id" && return 0
        [ "$(date +%s)" -ge "$ende" ] && return 1
        sleep 0.3
    done
}

# The X windows from top to bottom, as xwininfo lists the root's children.
ueber() { # ueber OBEN UNTEN: OBEN's X window is stacked above UNTEN's
    env LC_ALL=C xwininfo -root -children | awk -v a="$(printf '0x%x' "$1")" -v b="$(printf '0x%x' "$2")" '
        $1 == a && !ib { oben = 1 } $1 == b { ib = 1 } END { exit !oben }'
}

vorn_warten() { # vorn_warten CAPTION SECONDS
    local ende=$(($(date +%s) + $2)) ist
    while :; do
        ist=$(vordergrund) && [ "$ist" = "$1" ] && return 0
        [ "$(date +%s)" -ge "$ende" ] && break
        sleep 0.3
    done
    echo "${ist:-(keins)}"
    return 1
}

# 1. Another program's window in front, then a second start.
erster_starten "erster Start"
wine notepad >/dev/null 2>&1 &
notepad=$(x_suchen --onlyvisible --classname "^notepad\.exe\$") || fehlschlag "Notepad zeigt kein Fenster"
notepad_titel=$(xdotool getwindowname "$notepad")
ist=$(vorn_warten "$notepad_titel" 20) || fehlschlag "Notepad kommt nicht nach vorn (vorn: $ist)"
ueber "$notepad" "$fenster" || fehlschlag "Notepad liegt nicht über dem Fenster"
zweiter_start "vor Notepad"
ist=$(vorn_warten "$titel" 10) || { bildschirm "$bilder/einzelstart-fehler.png"; fehlschlag "nach dem zweiten Start ist „${ist}“ vorn, nicht das Fenster"; }
ueber "$fenster" "$notepad" || fehlschlag "das Fenster liegt nach dem zweiten Start nicht über Notepad"
[ "$(xdotool search --name "^${titel}\$" | wc -l)" -eq 1 ] || fehlschlag "nach dem zweiten Start gibt es zwei Fenster"
kill -0 "$erster" 2>/dev/null || fehlschlag "der erste endet beim zweiten Start"

# Another data folder is another program's: it runs beside the first.
mkdir -p "$WIN_SCRATCH/andere"
wine "$WIN_DEPLOY/gramura.exe" --demo --data-dir "$(winpfad "$WIN_SCRATCH/andere")" >"$WIN_SCRATCH/andere.txt" 2>&1 &
anderer=$!
ende=$(($(date +%s) + 60))
until zweites=$(xdotool search --name "^${titel}\$" 2>/dev/null | grep -vx "$fenster" | head -n1) && [ -n "$zweites" ]; do
    kill -0 "$anderer" 2>/dev/null || fehlschlag "mit einem anderen Datenordner endet der Start: $(cat "$WIN_SCRATCH/andere.txt")"
    [ "$(date +%s)" -lt "$ende" ] || fehlschlag "mit einem anderen Datenordner kein zweites Fenster nach 60 s"
    sleep 0.3
done
sleep 1
xdotool mousemove --window "$zweites" "$beenden_x" "$knopf_y" click 1
ende=$(($(date +%s) + 30))
while kill -0 "$anderer" 2>/dev/null; do
    [ "$(date +%s)" -lt "$ende" ] || fehlschlag "das Programm des anderen Datenordners endet nicht mit „Beenden“"
    sleep 0.3
done
kill -0 "$erster" 2>/dev/null || fehlschlag "der erste endet mit dem des anderen Datenordners"

# 2. From the notification area ("Minimieren" hides the window there) back to the front.
xdotool mousemove --window "$fenster" "$minimieren_x" "$knopf_y" click 1
ende=$(($(date +%s) + 15))
while xdotool search --onlyvisible --name "^${titel}\$" >/dev/null 2>&1; do
    [ "$(date +%s)" -lt "$ende" ] || fehlschlag "„Minimieren“ lässt das Fenster stehen"
    sleep 0.3
done
# Wine puts its own tray window in front then; anything but the hidden window will do.
[ "$(vordergrund)" != "$titel" ] || fehlschlag "nach „Minimieren“ ist das verborgene Fenster noch vorn"
zweiter_start "aus dem Infobereich"
x_suchen --onlyvisible --name "^${titel}\$" >/dev/null || fehlschlag "nach dem zweiten Start bleibt das Fenster im Infobereich"
ist=$(vorn_warten "$titel" 10) || fehlschlag "aus dem Infobereich geholt, aber „${ist}“ ist vorn"
bildschirm "$bilder/einzelstart.png"

# 3. Killed outright, its lock stays in %TEMP%; the next start takes it over.
kill -9 "$erster"
wait "$erster" 2>/dev/null
ls "$temp"/gramura-*.lock >/dev/null 2>&1 || fehlschlag "keine Sperrdatei gramura-*.lock in $temp nach kill -9"
erster_starten "nach kill -9"
zweiter_start "nach kill -9"

# 4. The same after wineserver -k, which ends every process of the prefix at once.
wineserver -k
wait "$erster" 2>/dev/null
ls "$temp"/gramura-*.lock >/dev/null 2>&1 || fehlschlag "keine Sperrdatei gramura-*.lock in $temp nach wineserver -k"
erster_starten "nach wineserver -k"
zweiter_start "nach wineserver -k"

# Ended with "Beenden", the lock goes with it.
xdotool mousemove --window "$fenster" "$beenden_x" "$knopf_y" click 1
fenster_weg "$titel" 30 || fehlschlag "das Fenster bleibt nach „Beenden“"
ende_warten "$erster" 30 "„Beenden“"
ls "$temp"/gramura-*.lock >/dev/null 2>&1 && fehlschlag "die Sperrdatei bleibt nach „Beenden“"
echo "PASSED"
