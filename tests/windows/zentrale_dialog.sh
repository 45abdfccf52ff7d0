#!/bin/bash
# The station's operator sets the central server up in "Zentrale…" under wine. Configured with a CA that does
# not vouch for the server (verify-full), the program refuses it: "Zertifikat der Zentrale nicht
# vertrauenswürdig", nothing sent. In the dialog the right CA and the password are entered and "Verbindung
# prüfen" checks the server from the window, before anything is saved; OK writes the password into libpq's
# password file where Windows keeps it (%APPDATA%\postgresql\pgpass.conf) and the connection text without it
# into the settings, and the running sender follows without a restart. No piece of the password shows on
# stderr or in the settings.
. "$(dirname "$0")/wine_umgebung.sh"
. "$(dirname "$0")/zentrale_umgebung.sh"
zentrale_bereiten --tls
# Characters the password file must escape (":" and "\").
pg_passwort 'Lq4:Vz\8rT'
# Every login in the server's log: the check's shows there before anything is saved.
[ "$(pg abfrage "alter system set log_connections = on")" = "= ALTER SYSTEM" ] || fehlschlag "log_connections"
pg abfrage "select pg_reload_conf()" >/dev/null
serverlog="$(dirname "$PG_CA")/server.log"

station="Waage-W2"
daten="$WIN_SCRATCH/daten"
mkdir -p "$daten"
cp "$PG_CA" "$WIN_SCRATCH/ca.crt"
pg_ok fremdeca "$WIN_SCRATCH/fremd.crt"
wine reg add "$EINSTELLUNGEN\\frm_Settings" /v chk1s /d 1 /f >/dev/null 2>&1
wine reg add "$EINSTELLUNGEN\\Zentrale" /v Server /d "host=127.0.0.1 port=$PG_PORT dbname=zentrale user=gramura sslmode=verify-full sslrootcert='$(winpfad "$WIN_SCRATCH/fremd.crt" | sed 's/\\/\\\\/g')'" /f >/dev/null 2>&1
wine reg add "$EINSTELLUNGEN\\Zentrale" /v Station /d "$station" /f >/dev/null 2>&1

fehler="$WIN_SCRATCH/fehler.txt"
wine "$WIN_PROGRAMM" --demo --data-dir "$(winpfad "$daten")" >/dev/null 2>"$fehler" &
programm=$!
fenster=$(fenster_warten "VELKOR ZEL Desktop" 90) || fehlschlag "kein Fenster nach 90 s"
ende=$(($(date +%s) + 60))
# (stderr carries the system's code page: the ü may come out as another byte)
until tr -d '\r' <"$fehler" | grep -aq 'Zertifikat der Zentrale nicht vertrauensw.*rdig'; do
    [ "$(date +%s)" -lt "$ende" ] || fehlschlag "keine Meldung „Zertifikat der Zentrale nicht vertrauenswürdig“: $(tr -d '\r' <"$fehler" | grep Zentrale | tail -n 2)"
    sleep 0.5
done
gewichte_warten "$daten/zel.mdb" 3 >/dev/null || fehlschlag "die Aufzeichnung stockt, solange die Zentrale abgelehnt wird"
[ "$(auf_dem_server "$station")" -le 0 ] || fehlschlag "trotz abgelehntem Zertifikat kamen Gewichte an"
grep -q 'connection authorized: user=gramura' "$serverlog" && fehlschlag "trotz abgelehntem Zertifikat angemeldet"

# Page "Einstellungen", "Zentrale…": the right CA and the password, then the check.
xdotool windowfocus --sync "$fenster" 2>/dev/null
xdotool key --delay 120 alt+e 2>/dev/null
sleep 0.5
xdotool key --delay 120 alt+z 2>/dev/null
dialog=$(fenster_warten "Zentrale" 20) || fehlschlag "der Dialog „Zentrale“ öffnet sich nicht"
sleep 0.5
xdotool windowfocus --sync "$dialog" 2>/dev/null
xdotool key --delay 120 alt+c ctrl+a 2>/dev/null
xdotool type --delay 60 "$(winpfad "$WIN_SCRATCH/ca.crt")" 2>/dev/null
xdotool key --delay 120 alt+w 2>/dev/null
xdotool type --delay 60 "$PG_PASSWORT" 2>/dev/null
xdotool key --delay 120 alt+p 2>/dev/null
ende=$(($(date +%s) + 30))
until grep -q 'connection authorized: user=gramura' "$serverlog"; do
    [ "$(date +%s)" -lt "$ende" ] || { bildschirm "${GRAMURA_WINDOWS_BILDER:-$WIN_SCRATCH}/zentrale-dialog.png"; fehlschlag "die Prüfung im Dialog meldet sich nicht beim Server an"; }
    sleep 0.3
done
[ -e "$(pg_ordner)/pgpass.conf" ] && fehlschlag "die Passwortdatei wurde schon vor OK geschrieben"
[ "$(auf_dem_server "$station")" -le 0 ] || fehlschlag "vor OK kamen schon Gewichte an"

# OK (the default button, from the password field).
xdotool windowfocus --sync "$dialog" 2>/dev/null
xdotool key --delay 120 alt+w Return 2>/dev/null
fenster_weg "Zentrale" 20 || fehlschlag "der Dialog bleibt nach OK offen"
n=$(server_warten "$station" 3 60) || fehlschlag "der Sender folgt den neuen Angaben nicht: $n Gewichte auf dem Server; $(tr -d '\r' <"$fehler" | grep Zentrale | tail -n 2)"

pgpass="$(pg_ordner)/pgpass.conf"
[ -f "$pgpass" ] || fehlschlag "keine Passwortdatei %APPDATA%\\postgresql\\pgpass.conf"
grep -qF "127.0.0.1:$PG_PORT:zentrale:gramura:Lq4\\:Vz\\\\8rT" "$pgpass" ||
    fehlschlag "pgpass.conf hält das Passwort nicht, wie libpq es liest: $(sed 's/:[^:]*$/:…/' "$pgpass")"
server=$(registerwert "$EINSTELLUNGEN\\Zentrale" Server) || fehlschlag "keine Einstellung Zentrale\\Server"
grep -qF 'ca.crt' <<<"$server" || fehlschlag "die Einstellung nennt die neue CA nicht: $server"

xdotool windowfocus --sync "$fenster" key alt+F4 2>/dev/null
fenster_weg "VELKOR ZEL Desktop" 30 || fehlschlag "das Fenster bleibt nach dem Schließen"
ende_warten "$programm" 20 "dem Schließen"
kein_geheimnis "$fehler"
printf '%s\n' "$server" >"$WIN_SCRATCH/einstellung.txt"
kein_geheimnis "$WIN_SCRATCH/einstellung.txt"
echo "abgelehnt mit der fremden CA; geprüft im Dialog, gespeichert, $(auf_dem_server "$station") Gewichte ohne Neustart gesendet"
echo "PASSED"
