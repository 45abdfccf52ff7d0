#!/bin/bash
# A station set up for the central server whose PostgreSQL driver is not there (the runnable folder carries
# none yet): the program names the missing file once (also on standard error, where that leads into a file),
# never calls the server unreachable, and records on.
. "$(dirname "$0")/wine_umgebung.sh"
windows_oder_auslassen
prefix_bereiten
xvfb_starten

daten="$WIN_SCRATCH/daten"
mkdir -p "$daten"
wine reg add 'HKCU\Software\VB and VBA Program Settings\Gramura\frm_Settings' /v chk1s /d 1 /f >/dev/null 2>&1
fehler="$WIN_SCRATCH/fehler.txt"
wine "$WIN_DEPLOY/gramura.exe" --demo --data-dir "$(winpfad "$daten")" \
    --zentrale "host=127.0.0.1 port=1 dbname=waagen user=waage connect_timeout=2" --station Waage-1 \
    >/dev/null 2>"$fehler" &
programm=$!
fenster=$(fenster_warten "VELKOR ZEL Desktop" 90) || fehlschlag "kein Fenster nach 90 s"
sleep 8
xdotool key --window "$fenster" alt+F4
fenster_weg "VELKOR ZEL Desktop" 30 || fehlschlag "das Fenster bleibt nach dem Schließen"
ende_warten "$programm" 20 "dem Schließen"

meldungen=$(tr -d '\r' <"$fehler" | grep -c 'PostgreSQL-Treiber fehlt')
# The first file of the driver's chain that cannot load is named (the folder carries none of them yet).
if [ "$meldungen" -ne 1 ] || ! tr -d '\r' <"$fehler" | grep -Eq 'PostgreSQL-Treiber fehlt: [^ ]+\.dll'; then
    tr -d '\r' <"$fehler" | grep -i 'zentrale\|treiber' | head -n 5
    fehlschlag "erwartet genau einmal \"PostgreSQL-Treiber fehlt: <Datei>.dll\" auf stderr (gesehen: $meldungen)"
fi
tr -d '\r' <"$fehler" | grep -qi 'nicht erreichbar' && fehlschlag "die Zentrale wird \"nicht erreichbar\" genannt, obwohl der Treiber fehlt"
zeilen=$(sqlite3 "$daten/zel.mdb" 'SELECT count(*) FROM Gewichte' 2>/dev/null || echo 0)
[ "$zeilen" -ge 3 ] || fehlschlag "nur $zeilen Gewichte aufgezeichnet: die Aufzeichnung stockt ohne Treiber"
echo "$(tr -d '\r' <"$fehler" | grep -m1 'PostgreSQL-Treiber fehlt'); $zeilen Gewichte aufgezeichnet"
echo "PASSED"
