#!/bin/bash
# gramura.exe starts under wine: a window captioned "VELKOR ZEL Desktop" shows, drawn, and ends on request.
. "$(dirname "$0")/wine_umgebung.sh"
windows_oder_auslassen
prefix_bereiten
xvfb_starten

daten="$WIN_SCRATCH/daten"
mkdir -p "$daten"
wine "$WIN_DEPLOY/gramura.exe" --demo --data-dir "$(winpfad "$daten")" >"$WIN_SCRATCH/aus.txt" 2>&1 &
programm=$!
fenster=$(fenster_warten "VELKOR ZEL Desktop" 90) || fehlschlag "kein Fenster \"VELKOR ZEL Desktop\" nach 90 s"
sleep 3
mkdir -p "${GRAMURA_WINDOWS_BILDER:-$WIN_SCRATCH}"
bildschirm "${GRAMURA_WINDOWS_BILDER:-$WIN_SCRATCH}/start.png"
[ -f "$daten/zel.mdb" ] || fehlschlag "zel.mdb nicht im Datenordner angelegt"
# Closing the window ends the program, as "Beenden" does.
xdotool key --window "$fenster" alt+F4
fenster_weg "VELKOR ZEL Desktop" 30 || fehlschlag "das Fenster bleibt nach dem Schließen"
ende_warten "$programm" 20 "dem Schließen des Fensters"
echo "PASSED"
