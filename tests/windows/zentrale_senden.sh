#!/bin/bash
# A Windows station sends its weights to the central server: gramura.exe under wine, named to the server only
# by a service in libpq's service file and with the password in libpq's password file where Windows keeps them
# (%APPDATA%\postgresql\.pg_service.conf and pgpass.conf), over TLS with verify-full against the test's own
# CA. The server is stopped and started again while the program records, then the program is killed hard and
# started again: every row of zel.mdb arrives exactly once, and no piece of the password shows on stderr.
. "$(dirname "$0")/wine_umgebung.sh"
. "$(dirname "$0")/zentrale_umgebung.sh"
zentrale_bereiten --tls
# Characters the password file and a connection text must escape or quote, and one beyond ASCII.
pg_passwort 'Wz7:k\Q#p'"'"'Ä9v'

station="Waage-W1"
daten="$WIN_SCRATCH/daten"
mkdir -p "$daten" "$(pg_ordner)"
cp "$PG_CA" "$WIN_SCRATCH/ca.crt"
printf '[zentrale]\r\nhost=127.0.0.1\r\nport=%s\r\ndbname=zentrale\r\nuser=gramura\r\nsslmode=verify-full\r\nsslrootcert=%s\r\n' \
    "$PG_PORT" "$(winpfad "$WIN_SCRATCH/ca.crt")" >"$(pg_ordner)/.pg_service.conf"
passwort_datei=$(sed 's/\\/\\\\/g; s/:/\\:/g' <<<"$PG_PASSWORT")
printf '127.0.0.1:%s:zentrale:gramura:%s\r\n' "$PG_PORT" "$passwort_datei" >"$(pg_ordner)/pgpass.conf"
wine reg add "$EINSTELLUNGEN\\frm_Settings" /v chk1s /d 1 /f >/dev/null 2>&1
wine reg add "$EINSTELLUNGEN\\Zentrale" /v Server /d "service=zentrale" /f >/dev/null 2>&1
wine reg add "$EINSTELLUNGEN\\Zentrale" /v Station /d "$station" /f >/dev/null 2>&1

starten() { # starten STDERR-FILE
    wine "$WIN_PROGRAMM" --demo --data-dir "$(winpfad "$daten")" >/dev/null 2>"$1" &
    programm=$!
    fenster=$(fenster_warten "VELKOR ZEL Desktop" 90) || fehlschlag "kein Fenster nach 90 s"
}

starten "$WIN_SCRATCH/fehler1.txt"
n=$(server_warten "$station" 5) || fehlschlag "nach 60 s $n Gewichte auf dem Server: $(tr -d '\r' <"$WIN_SCRATCH/fehler1.txt" | tail -n 3)"
[ "$(pg_wert "select count(*) from pg_stat_ssl s join pg_stat_activity a using (pid) where a.application_name = 'gramura' and s.ssl")" -ge 1 ] ||
    fehlschlag "der Sender ist nicht über TLS verbunden"

# The server goes away and comes back; the program records on and sends the rest.
pg_ok stopp
vorher=$(gewichte "$daten/zel.mdb")
gewichte_warten "$daten/zel.mdb" $((vorher + 4)) >/dev/null || fehlschlag "ohne Server stockt die Aufzeichnung"
ende=$(($(date +%s) + 30))
until tr -d '\r' <"$WIN_SCRATCH/fehler1.txt" | grep -aq 'Zentrale nicht erreichbar'; do
    [ "$(date +%s)" -lt "$ende" ] || fehlschlag "der Server ist fort, aber keine Meldung „Zentrale nicht erreichbar“"
    sleep 0.5
done
pg_ok start
lokal=$(gewichte "$daten/zel.mdb")
n=$(server_warten "$station" "$lokal") || fehlschlag "nach dem Neustart des Servers nur $n von $lokal Gewichten dort"

# Killed hard, while it sends each second's row: no chance to mark what the server already has.
for pid in $(pgrep -f 'gramura\.exe'); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && kill -KILL "$pid"
done
ende_warten "$programm" 20 "kill -KILL"
for i in $(seq 50); do laeuft_gramura || break; sleep 0.2; done
laeuft_gramura && fehlschlag "gramura.exe läuft nach kill -KILL weiter"
getoetet=$(gewichte "$daten/zel.mdb")

starten "$WIN_SCRATCH/fehler2.txt"
gewichte_warten "$daten/zel.mdb" $((getoetet + 3)) >/dev/null || fehlschlag "nach dem Neustart wird nicht aufgezeichnet"
xdotool key --window "$fenster" alt+F4
fenster_weg "VELKOR ZEL Desktop" 30 || fehlschlag "das Fenster bleibt nach dem Schließen"
ende_warten "$programm" 20 "dem Schließen"
# What the run recorded in its last second may still have been on its way when it closed: that goes with the
# next start, here one that records nothing more, so that both ends can be compared row by row.
# Every interval off: a longer one would still record at its full minute or hour.
{
    printf 'REGEDIT4\r\n\r\n[%s\\frm_Settings]\r\n' "${EINSTELLUNGEN/HKCU/HKEY_CURRENT_USER}"
    for intervall in 1s 2s 5s 10s 20s 30s 1m 2m 5m 10m 30m 1h; do
        printf '"chk%s"="0"\r\n' "$intervall"
    done
} >"$WIN_SCRATCH/aus.reg"
wine reg import "$(winpfad "$WIN_SCRATCH/aus.reg")" >/dev/null 2>&1 || fehlschlag "reg import der ausgeschalteten Intervalle"
[ "$(registerwert "$EINSTELLUNGEN\\frm_Settings" chk1s)" = 0 ] || fehlschlag "die Intervalle bleiben eingeschaltet"
lokal=$(gewichte "$daten/zel.mdb")
starten "$WIN_SCRATCH/fehler3.txt"
n=$(server_warten "$station" "$lokal" 60) || fehlschlag "nach dem letzten Start nur $n von $lokal Gewichten auf dem Server"
sleep 2
xdotool key --window "$fenster" alt+F4
fenster_weg "VELKOR ZEL Desktop" 30 || fehlschlag "das Fenster bleibt nach dem Schließen"
ende_warten "$programm" 20 "dem Schließen"
[ "$(gewichte "$daten/zel.mdb")" = "$lokal" ] || fehlschlag "ohne Intervall wurde doch aufgezeichnet"
genau_einmal "$daten/zel.mdb" "$station"
for f in "$WIN_SCRATCH"/fehler[123].txt; do
    kein_geheimnis "$f"
done
echo "$lokal Gewichte genau einmal auf dem Server ($getoetet vor dem harten Ende), über TLS mit verify-full"
echo "PASSED"
