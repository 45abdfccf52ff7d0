#!/bin/bash
# A station set up for the central server on a Windows without Microsoft's Visual C++ runtime, which the
# PostgreSQL driver's libpq needs (the runnable folder carries the driver; wine's own runtime is switched off):
# the program names that file once (also on standard error, where that leads into a file), never calls the
# server unreachable, and records on.
. "$(dirname "$0")/wine_umgebung.sh"
windows_oder_auslassen
prefix_bereiten
xvfb_starten

daten="$WIN_SCRATCH/daten"
mkdir -p "$daten"
wine reg add 'HKCU\Software\VB and VBA Program Settings\Gramura\frm_Settings' /v chk1s /d 1 /f >/dev/null 2>&1
fehler="$WIN_SCRATCH/fehler.txt"
ohne_vc_laufzeit wine "$WIN_DEPLOY/gramura.exe" --demo --data-dir "$(winpfad "$daten")" \
    --zentrale "host=127.0.0.1 port=1 dbname=waagen user=waage connect_timeout=2" --station Waage-1 \
    >/dev/null 2>"$fehler" &
programm=$!
fenster=$(fenster_warten "VELKOR ZEL Desktop" 90) || fehlschlag "kein Fenster nach 90 s"
sleep 8
xdotool key --window "$fenster" alt+F4
fenster_weg "VELKOR ZEL Desktop" 30 || fehlschlag "das Fenster bleibt nach dem Schließen"
ende_warten "$programm" 20 "dem Schließen"

erwartet="PostgreSQL-Treiber fehlt: VCRUNTIME140.dll (Visual C++ Laufzeit)"
meldungen=$(tr -d '\r' <"$fehler" | grep -c 'PostgreSQL-Treiber fehlt')
meldung=$(tr -d '\r' <"$fehler" | grep -m1 'PostgreSQL-Treiber fehlt')
# The runtime is named, not libpq.dll that needs it nor the plugin that needs libpq.dll: those are there.
if [ "$meldungen" -ne 1 ] || [[ "$meldung" != *": $erwartet" ]]; then
    tr -d '\r' <"$fehler" | grep -i 'zentrale\|treiber' | head -n 5
    fehlschlag "erwartet genau einmal \"$erwartet\" auf stderr (gesehen: $meldungen)"
fi
tr -d '\r' <"$fehler" | grep -qi 'nicht erreichbar' && fehlschlag "die Zentrale wird \"nicht erreichbar\" genannt, obwohl der Treiber fehlt"
zeilen=$(sqlite3 "$daten/zel.mdb" 'SELECT count(*) FROM Gewichte' 2>/dev/null || echo 0)
[ "$zeilen" -ge 3 ] || fehlschlag "nur $zeilen Gewichte aufgezeichnet: die Aufzeichnung stockt ohne Treiber"
echo "$meldung; $zeilen Gewichte aufgezeichnet"
echo "PASSED"
