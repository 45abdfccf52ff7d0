# Shared by the tests of the Windows program's sending to the central server; sourced after wine_umgebung.sh.
# The server is the test's own PostgreSQL 15 on the Linux side (gramura_pgdienst: password login, optionally
# TLS with a CA made for the test), which the program under wine reaches on 127.0.0.1.
#   GRAMURA_PGDIENST   the server tool, set by CTest

PG_PORT=""
PG_CA=""
PG_PID=""
# The password the server's role "gramura" starts with; tests may give it another one (pg_passwort).
PG_PASSWORT="geheim"
EINSTELLUNGEN='HKCU\Software\VB and VBA Program Settings\Gramura'

# Starts the server ([--tls]) and stops it with the rest of the test's things at exit.
pg_starten() {
    [ -x "${GRAMURA_PGDIENST:-}" ] || fehlschlag "kein Server-Werkzeug gramura_pgdienst in ${GRAMURA_PGDIENST:-(nicht gesetzt)}"
    command -v sqlite3 >/dev/null 2>&1 || fehlschlag "sqlite3 fehlt"
    coproc PGDIENST { "$GRAMURA_PGDIENST" "$@" 2>&1; }
    PG_PID=$PGDIENST_PID
    trap 'pg_beenden; aufraeumen' EXIT INT TERM
    local zeile
    read -r -t 180 zeile <&"${PGDIENST[0]}" || fehlschlag "der PostgreSQL-Server des Tests meldet sich nicht"
    case $zeile in
    "bereit "*) ;;
    *) fehlschlag "der PostgreSQL-Server des Tests startet nicht: $zeile" ;;
    esac
    read -r _ PG_PORT PG_CA <<<"$zeile"
}

pg_beenden() {
    [ -n "$PG_PID" ] || return 0
    # Its standard input closing is its sign to stop the server and remove it.
    eval "exec ${PGDIENST[1]}>&-" 2>/dev/null
    wait "$PG_PID" 2>/dev/null
    PG_PID=""
}

# One command to the server tool (stopp, start, abfrage SQL, fremdeca PATH); prints its answer.
pg() {
    local antwort
    printf '%s\n' "$*" >&"${PGDIENST[1]}"
    read -r -t 180 antwort <&"${PGDIENST[0]}" || antwort="fehler keine Antwort"
    printf '%s\n' "$antwort"
}
pg_ok() {
    local antwort
    antwort=$(pg "$@")
    [ "$antwort" = ok ] || fehlschlag "Server des Tests: $* → $antwort"
}
# The result of one statement as superuser on "zentrale"; -1 when it fails (e.g. no table yet).
pg_wert() {
    local antwort
    antwort=$(pg abfrage "$1")
    case $antwort in
    "= "*) printf '%s\n' "${antwort#= }" ;;
    *) echo -1 ;;
    esac
}
# The station's rows on the server (-1 while the table is not there).
auf_dem_server() {
    pg_wert "select count(*) from gewichte where station = '$1'"
}
# Waits up to $3 seconds (default 60) until the server holds at least $2 rows of station $1.
server_warten() {
    local ende=$(($(date +%s) + ${3:-60})) n
    while :; do
        n=$(auf_dem_server "$1")
        [ "$n" -ge "$2" ] && return 0
        [ "$(date +%s)" -ge "$ende" ] && break
        sleep 0.5
    done
    echo "$n"
    return 1
}

# Gives the role "gramura" another password (dollar-quoted: it may hold any character but "$p$").
pg_passwort() {
    PG_PASSWORT=$1
    [ "$(pg abfrage "alter role gramura password \$p\$$1\$p\$")" = "= ALTER ROLE" ] ||
        fehlschlag "neues Passwort für gramura nicht gesetzt"
}

# libpq's own files on Windows, where it looks for them in the user's roaming profile.
pg_ordner() {
    printf '%s' "$WIN_BENUTZER/AppData/Roaming/postgresql"
}

# Every row of zel.mdb $1 is on the server exactly once under station $2, with its own date and weight, and
# the server holds nothing else of that station.
genau_einmal() {
    local mdb=$1 station=$2 datei lokal dort doppelt
    datei=$(sqlite3 "$mdb" "select kennung from zentrale_datei")
    [ -n "$datei" ] || fehlschlag "zel.mdb trägt keine Kennung für die Zentrale"
    lokal=$(sqlite3 "$mdb" "select group_concat(z, ',') from (select rowid || '|' || Datum || '|' || Gewicht as z from Gewichte order by rowid)")
    dort=$(pg_wert "select string_agg(zeile || '|' || to_char(datum, 'YYYY-MM-DD HH24:MI:SS') || '|' || gewicht, ',' order by zeile) from gewichte where station = '$station' and datei = '$datei'")
    doppelt=$(pg_wert "select count(*) - count(distinct (datei, zeile)) from gewichte where station = '$station'")
    [ "$doppelt" = 0 ] || fehlschlag "$doppelt Zeilen doppelt auf dem Server"
    if [ "$lokal" != "$dort" ]; then
        diff <(tr ',' '\n' <<<"$lokal") <(tr ',' '\n' <<<"$dort") | head -n 10
        fehlschlag "der Server hält nicht genau die Zeilen von zel.mdb (< zel.mdb, > Server)"
    fi
    [ "$(auf_dem_server "$station")" = "$(gewichte "$mdb")" ] || fehlschlag "der Server hält Zeilen der Station aus keiner zel.mdb"
}

# No piece of the password (4 characters or more of it) in file $1.
kein_geheimnis() {
    local datei=$1 i
    tr -d '\r' <"$datei" >"$datei.lf"
    for ((i = 0; i + 4 <= ${#PG_PASSWORT}; i++)); do
        if grep -qF -- "${PG_PASSWORT:i:4}" "$datei.lf"; then
            grep -nF -- "${PG_PASSWORT:i:4}" "$datei.lf" | head -n 3 | sed 's/^/  /'
            fehlschlag "ein Stück des Passworts („…${PG_PASSWORT:i:4}…“) steht in $(basename "$datei")"
        fi
    done
}

# The runnable folder as this test runs it, in $WIN_PROGRAMM. Wine 8's ntdll lacks NtFlushBuffersFileEx (Windows
# has it since Windows 8); libpq 17 for Windows looks it up at its first open() or stat() of a file and, not
# finding it, fails every one of them: the password file, the service file and the CA file would read as
# missing under wine only. In this copy libpq.dll looks up NtFlushBuffersFile instead, a function it never calls
# (libpq syncs no file); the name is the only byte that differs from the shipped DLL.
programm_fuer_wine() {
    local ordner="$WIN_SCRATCH/programm"
    cp -al "$WIN_DEPLOY" "$ordner" 2>/dev/null || cp -r "$WIN_DEPLOY" "$ordner" || fehlschlag "Programmordner nicht kopiert"
    rm -f "$ordner/libpq.dll"
    python3 - "$WIN_DEPLOY/libpq.dll" "$ordner/libpq.dll" <<'PY' || fehlschlag "libpq.dll für wine nicht vorbereitet"
import sys
daten = open(sys.argv[1], 'rb').read()
alt, neu = b'NtFlushBuffersFileEx\0', b'NtFlushBuffersFile\0\0\0'
if daten.count(alt) != 1:
    sys.exit('libpq.dll: NtFlushBuffersFileEx nicht genau einmal gefunden')
open(sys.argv[2], 'wb').write(daten.replace(alt, neu))
PY
    WIN_PROGRAMM="$ordner/gramura.exe"
}

# What every run of the program against the test's server needs: the Windows build, a prefix, the runnable
# folder as wine can run it, the server ([--tls]) and an X server.
zentrale_bereiten() {
    windows_oder_auslassen
    prefix_bereiten
    programm_fuer_wine
    pg_starten "$@"
    xvfb_starten
}
