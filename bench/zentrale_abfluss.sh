#!/bin/bash
# How fast a station's backlog drains into the central server: the real program, Linux build and gramura.exe
# under wine on the same machine, each with a zel.mdb of ROWS weights recorded before the server was known,
# sending to a PostgreSQL 15 server of its own on 127.0.0.1 (password file, no TLS). Prints rows per second
# from the first row on the server to the last, and the time from the start.
#   bench/zentrale_abfluss.sh [ROWS [abgeleitet]]   (default 100000; builds in build/ and build-windows/)
# The rows carry the instant the program notes at recording while a server is configured (the backlog of a
# server that was away); with "abgeleitet" they carry none, as rows recorded before a server was configured,
# whose instant the sender derives from the local date and time.
set -u
cd "$(dirname "$0")/.."
zeilen=${1:-100000}
art=${2:-zeitpunkt}
export GRAMURA_PGDIENST=$PWD/build/tests/support/gramura_pgdienst
export GRAMURA_WINDOWS_BUILD=$PWD/build-windows GRAMURA_WINE_VORLAGE=$PWD/build/tests/windows/wine-vorlage
. tests/windows/wine_umgebung.sh
. tests/windows/zentrale_umgebung.sh
[ -x build/gramura ] || fehlschlag "build/gramura fehlt (cmake --build build)"
zentrale_bereiten

rueckstand() { # rueckstand FOLDER: zel.mdb from the template with $zeilen rows
    mkdir -p "$1"
    cp build/zel.neu "$1/zel.mdb"
    sqlite3 "$1/zel.mdb" "with recursive n(i) as (select 1 union all select i + 1 from n where i < $zeilen)
        insert into Gewichte (Datum, Gewicht) select strftime('%Y-%m-%d %H:%M:%S', 1764547200 + i, 'unixepoch'),
        i / 10.0 from n" || fehlschlag "Rückstand nicht angelegt"
    [ "$art" = abgeleitet ] && return
    sqlite3 "$1/zel.mdb" "create table zentrale_zeit (zeile integer primary key, utc integer not null);
        insert into zentrale_zeit (zeile, utc) select rowid, (1764547200 + rowid) * 1000 from Gewichte" ||
        fehlschlag "Zeitpunkte nicht angelegt"
}

messen() { # messen STATION PID: waits for all rows, prints the figures
    local station=$1 pid=$2 start erste="" n
    start=$(date +%s.%N)
    while :; do
        n=$(auf_dem_server "$station")
        [ -z "$erste" ] && [ "$n" -gt 0 ] && erste=$(date +%s.%N) && n0=$n
        [ "$n" -ge "$zeilen" ] && break
        kill -0 "$pid" 2>/dev/null || fehlschlag "$station: das Programm endete bei $n Zeilen"
        sleep 0.2
    done
    local ende
    ende=$(date +%s.%N)
    printf '%-8s %d Zeilen: %.0f Zeilen/s (ab der ersten Zeile auf dem Server), %.1f s ab dem Start\n' "$station" \
        "$zeilen" "$(bc -l <<<"($zeilen - $n0) / ($ende - $erste)")" "$(bc -l <<<"$ende - $start")"
}

# Linux: its own home for settings and ~/.pgpass.
heim="$WIN_SCRATCH/heim"
rueckstand "$heim/daten"
printf '127.0.0.1:%s:zentrale:gramura:%s\n' "$PG_PORT" "$PG_PASSWORT" >"$heim/.pgpass"
chmod 600 "$heim/.pgpass"
HOME=$heim XDG_CONFIG_HOME=$heim/.config build/gramura --demo --data-dir "$heim/daten" \
    --zentrale "host=127.0.0.1 port=$PG_PORT dbname=zentrale user=gramura" --station Linux >/dev/null 2>&1 &
linux=$!
messen Linux "$linux"
kill "$linux"; wait "$linux" 2>/dev/null

daten="$WIN_SCRATCH/daten"
rueckstand "$daten"
mkdir -p "$(pg_ordner)"
printf '127.0.0.1:%s:zentrale:gramura:%s\r\n' "$PG_PORT" "$PG_PASSWORT" >"$(pg_ordner)/pgpass.conf"
wine "$WIN_PROGRAMM" --demo --data-dir "$(winpfad "$daten")" \
    --zentrale "host=127.0.0.1 port=$PG_PORT dbname=zentrale user=gramura" --station Windows >/dev/null 2>&1 &
windows=$!
messen Windows "$windows"
