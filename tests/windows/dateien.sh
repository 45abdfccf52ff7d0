#!/bin/bash
# zel.mdb held open by another program as a virus scanner or an indexer holds a file just written (reading, sharing
# reading and writing but not deletion; halten.c), while the operator presses "&Löschen" on the page "Aufzeichnung":
#  1. held for 0.6 s: the program keeps a copy of the old file in the Papierkorb, waits for zel.mdb and empties it;
#  2. "Rückgängig" in the status band puts the old rows back;
#  3. held for 8 s: after about a second the program gives up and says why in Windows' own words (FormatMessageW,
#     in this prefix's German), not in the C runtime's; zel.mdb keeps its rows and the Papierkorb gains nothing.
. "$(dirname "$0")/wine_umgebung.sh"
windows_oder_auslassen
command -v sqlite3 >/dev/null 2>&1 || fehlschlag "sqlite3 fehlt"
prefix_bereiten
xvfb_starten
abfrage_bauen
halten_bauen

titel="VELKOR ZEL Desktop"
daten="$WIN_SCRATCH/daten"
korb="$daten/Papierkorb"
mkdir -p "$daten"
bilder="${GRAMURA_WINDOWS_BILDER:-$WIN_SCRATCH}"
mkdir -p "$bilder"
# Recording every second from the start, so there are rows to delete.
wine reg add 'HKCU\Software\VB and VBA Program Settings\Gramura\frm_Settings' /v chk1s /t REG_SZ /d 1 /f \
    >/dev/null 2>&1 || fehlschlag "reg add chk1s"

zeilen() { # zeilen [WHERE] [FILE]
    gewichte "${2:-$daten/zel.mdb}" "${1:-}"
}
zeilen_warten() { # zeilen_warten AT_LEAST [WHERE]
    gewichte_warten "$daten/zel.mdb" "$@"
}
im_korb() {
    find "$korb" -maxdepth 1 -name 'zel-*.mdb' -printf '%f\n' 2>/dev/null | sort
}
# halten FILE MS: starts the holder and returns once it has the file open; its output goes to $WIN_SCRATCH/halten-MS.
halten() {
    halter_aus="$WIN_SCRATCH/halten-$2"
    wine "$WIN_HALTEN" "$(winpfad "$1")" "$2" "$(winpfad "$korb")" >"$halter_aus" 2>&1 &
    halter=$!
    local ende=$(($(date +%s) + 30))
    until grep -q '^offen' "$halter_aus" 2>/dev/null; do
        kill -0 "$halter" 2>/dev/null || fehlschlag "halten.exe hat die Datei nicht geöffnet: $(cat "$halter_aus")"
        [ "$(date +%s)" -lt "$ende" ] || fehlschlag "halten.exe öffnet die Datei nicht in 30 s"
        sleep 0.02
    done
}
halter_warten() {
    local ende=$(($(date +%s) + 30))
    while kill -0 "$halter" 2>/dev/null; do
        [ "$(date +%s)" -lt "$ende" ] || fehlschlag "halten.exe endet nicht"
        sleep 0.1
    done
}
# "&Löschen" and the tab "Aufzeichnung" where installer.sh finds them.
loeschen() {
    xdotool mousemove --window "$fenster" $(((5615 + 697 + 7) / 15)) $(((4410 + 187 + 7) / 15)) click 1
}

wine "$WIN_DEPLOY/gramura.exe" --demo --data-dir "$(winpfad "$daten")" >"$WIN_SCRATCH/aus.txt" 2>&1 &
gramura=$!
fenster=$(fenster_warten "$titel" 90) || fehlschlag "kein Fenster nach 90 s ($(cat "$WIN_SCRATCH/aus.txt"))"
n=$(zeilen_warten 6) || fehlschlag "nach 30 s $n Zeilen in zel.mdb"
xdotool mousemove --window "$fenster" 290 19 click 1
sleep 1

# --- 1. held for a moment: waited for -------------------------------------------------------------------------
grenze=$(date -d '-3 seconds' '+%Y-%m-%d %H:%M:%S')
alt=$(zeilen "where Datum <= '$grenze'")
[ "${alt:-0}" -ge 2 ] || fehlschlag "vor „Löschen“ nur ${alt:-0} Zeilen bis $grenze"
halten "$daten/zel.mdb" 600
loeschen
halter_warten
sleep 2
bildschirm "$bilder/dateien-geloescht.png"
# meldung_lesen WINDOW: the message box's text, copied with Ctrl+C as an operator copies it, on one line.
meldung_lesen() {
    xdotool windowfocus --sync "$1" key ctrl+c
    sleep 0.5
    zwischenablage | tr -d '\r' | grep -v '^---' | tr '\n' ' '
}
if meldung=$(fenster_warten "Gramura" 1); then
    fehlschlag "eine Meldung statt zu warten: $(meldung_lesen "$meldung")"
fi
# The copy was in the Papierkorb while zel.mdb was still held: the program had come to replacing it and waited.
grep -q '^im ordner 1' "$halter_aus" ||
    fehlschlag "solange zel.mdb gehalten wurde, lag keine Kopie im Papierkorb: $(tr '\n' ' ' <"$halter_aus")"
rest=$(zeilen "where Datum <= '$grenze'") || fehlschlag "zel.mdb ist nach „Löschen“ nicht lesbar"
[ "$rest" -eq 0 ] || fehlschlag "nach „Löschen“ stehen noch $rest der $alt Zeilen bis $grenze in zel.mdb"
aufgehoben=$(im_korb)
[ "$(printf '%s\n' "$aufgehoben" | grep -c .)" -eq 1 ] || fehlschlag "im Papierkorb: „$aufgehoben“, nicht eine Datei"
[[ "$aufgehoben" =~ ^zel-[0-9]{4}-[0-9]{2}-[0-9]{2}_[0-9]{2}-[0-9]{2}-[0-9]{2}\.mdb$ ]] ||
    fehlschlag "die Datei im Papierkorb heißt „$aufgehoben“"
drin=$(zeilen "where Datum <= '$grenze'" "$korb/$aufgehoben")
[ "${drin:-0}" -eq "$alt" ] || fehlschlag "im Papierkorb ${drin:-0} der $alt gelöschten Zeilen"
echo "1. gehalten 0,6 s: gewartet, $alt Zeilen im Papierkorb als $aufgehoben"

# --- 2. "Rückgängig" at the right end of the status band's first line, below the buttons -------------------------
# The band starts 60 twips below "&Beenden" (4440 down, 375 high) and is as wide as the tab strip (60 across,
# 8475 wide). Its lines are 270 twips high: the Papierkorb's on top, the simulator's below it.
n=$(zeilen_warten 1 "where Datum > '$grenze'") || fehlschlag "nach „Löschen“ wird nicht weiter aufgezeichnet ($n Zeilen)"
xdotool mousemove --window "$fenster" $(((60 + 8475) / 15 - 38)) $(((4440 + 375 + 60 + 135) / 15)) click 1
sleep 2
bildschirm "$bilder/dateien-rueckgaengig.png"
zurueck=$(zeilen "where Datum <= '$grenze'") || fehlschlag "zel.mdb ist nach „Rückgängig“ nicht lesbar"
[ "$zurueck" -eq "$alt" ] || fehlschlag "nach „Rückgängig“ $zurueck der $alt Zeilen bis $grenze in zel.mdb"
nachher=$(im_korb)
printf '%s\n' "$nachher" | grep -qx "$aufgehoben" && fehlschlag "$aufgehoben liegt nach „Rückgängig“ noch im Papierkorb"
[ "$(printf '%s\n' "$nachher" | grep -c .)" -eq 1 ] ||
    fehlschlag "die seit dem Löschen aufgezeichneten Zeilen liegen nicht im Papierkorb: „$nachher“"
echo "2. Rückgängig: $zurueck Zeilen wieder in zel.mdb, seither aufgezeichnete $(zeilen "" "$korb/$nachher") im Papierkorb"

# --- 3. held longer than the program waits: said in Windows' words ---------------------------------------------
vorher=$(zeilen) || fehlschlag "zel.mdb nicht lesbar"
halten "$daten/zel.mdb" 8000
loeschen
kasten=$(fenster_warten "Gramura" 7) || fehlschlag "keine Meldung, solange zel.mdb gehalten wird"
grep -q '^zu' "$halter_aus" && fehlschlag "die Meldung kam erst, als die Datei wieder frei war"
sleep 0.5
bildschirm "$bilder/dateien-meldung.png"
text=$(meldung_lesen "$kasten")
[ -n "$text" ] || fehlschlag "der Text der Meldung kam nicht in die Zwischenablage"
xdotool windowfocus --sync "$kasten" key Return
fenster_weg "Gramura" 10 || fehlschlag "die Meldung bleibt nach OK"
halter_warten
echo "3. Meldung: $text"
printf '%s' "$text" | grep -q 'kann nicht ersetzt werden' || fehlschlag "die Meldung sagt nicht, was nicht ging"
system=""
for nummer in 32 5 33; do
    worte=$(wine "$WIN_HALTEN" meldung "$nummer" 2>/dev/null | tr -d '\r' | sed 's/[[:space:]]*$//')
    [ -n "$worte" ] && printf '%s' "$text" | grep -qF "$worte" && system="$worte"
done
[ -n "$system" ] || fehlschlag "die Meldung nennt den Grund nicht in den Worten des Systems"
printf '%s' "$text" | grep -qi 'input/output\|Ein-/Ausgabe' && fehlschlag "die Meldung nennt den Fehler der C-Laufzeit"
danach=$(zeilen) || fehlschlag "zel.mdb nicht lesbar"
[ "$danach" -ge "$vorher" ] || fehlschlag "zel.mdb hat nach dem misslungenen Löschen $danach statt mindestens $vorher Zeilen"
[ "$(im_korb)" = "$nachher" ] || fehlschlag "der Papierkorb hat nach dem misslungenen Löschen „$(im_korb)“"
echo "   Grund in den Worten des Systems: „$system“; zel.mdb behält $danach Zeilen"

xdotool mousemove --window "$fenster" $(((60 + 697 + 7) / 15)) $(((4410 + 187 + 7) / 15)) click 1
fenster_weg "$titel" 30 || fehlschlag "das Fenster bleibt nach „Beenden“"
ende_warten "$gramura" 30 "„Beenden“"
echo "PASSED"
