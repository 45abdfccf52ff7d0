#!/bin/bash
# A refusal at start-up reaches a user who started the program from a shortcut, where no console shows it: a
# message box with the same words, and the program ends after it without opening its window.
. "$(dirname "$0")/wine_umgebung.sh"
windows_oder_auslassen
prefix_bereiten
xvfb_starten

daten="$WIN_SCRATCH/daten"
mkdir -p "$daten"
# start gives the program neither a console nor inherited standard handles, as a shortcut does.
wine cmd /c start "" /unix "$WIN_DEPLOY/gramura.exe" --data-dir "$(winpfad "$daten")" --device kaputt \
    </dev/null >"$WIN_SCRATCH/aus.txt" 2>&1
kasten=$(fenster_warten "VELKOR ZEL Desktop" 60) || fehlschlag "keine Meldung nach 60 s"
breite=$(xdotool getwindowgeometry --shell "$kasten" | sed -n 's/^WIDTH=//p')
sleep 1
bildschirm "$WIN_SCRATCH/meldung.png"
[ -f "$daten/zel.mdb" ] && fehlschlag "das Programm lief weiter (zel.mdb angelegt) statt abzulehnen"
xdotool key --window "$kasten" Return
fenster_weg "VELKOR ZEL Desktop" 20 || fehlschlag "nach OK bleibt ein Fenster offen (Breite der Meldung: $breite)"
sleep 2
xdotool search --name "^VELKOR ZEL Desktop\$" >/dev/null 2>&1 && fehlschlag "nach der Meldung öffnet sich das Fenster doch"
laeuft_gramura && fehlschlag "gramura.exe läuft nach der Meldung weiter"
[ -f "$daten/zel.mdb" ] && fehlschlag "zel.mdb angelegt: der Start wurde nicht abgelehnt"
echo "PASSED"
