#!/bin/bash
# "gramura.exe --export" as a scheduled job or a user at the command prompt runs it, without a display: the
# CSV on standard output (redirected by wine, by cmd, and into cmd's own console), into a folder named outside
# the ANSI code page and into Windows' devices NUL and CON, the days chosen with --from and --to, --help on
# standard output, and the German refusals on standard error with their exit codes.
. "$(dirname "$0")/wine_umgebung.sh"
windows_oder_auslassen
command -v script >/dev/null 2>&1 || fehlschlag "script (util-linux) fehlt"
command -v sqlite3 >/dev/null 2>&1 || fehlschlag "sqlite3 fehlt"
prefix_bereiten
unset DISPLAY

programm=$(winpfad "$WIN_DEPLOY/gramura.exe")
daten="$WIN_SCRATCH/daten"
leer="$WIN_SCRATCH/leer"
mkdir -p "$daten" "$leer"
aus="$WIN_SCRATCH/aus"
fehler="$WIN_SCRATCH/fehler"

# Rows out of order, a negative weight and one stored as text, as another program may have written it.
cp "$WIN_DEPLOY/zel.neu" "$daten/zel.mdb"
sqlite3 "$daten/zel.mdb" "insert into Gewichte (Datum, Gewicht) values
    ('2024-03-06 23:59:59', 1000), ('2024-03-05 07:08:09', 12.5), ('2024-03-07 00:00:00', '12,5'),
    ('2024-03-05 07:08:10', -3.25)" || fehlschlag "zel.mdb nicht zu füllen"
erwartet="$WIN_SCRATCH/erwartet.csv"
printf '\357\273\277Datum;Uhrzeit;Gewicht\r\n05.03.2024;07:08:09;12,5\r\n05.03.2024;07:08:10;-3,25\r\n06.03.2024;23:59:59;1000\r\n07.03.2024;00:00:00;12,5\r\n' >"$erwartet"
tag6="$WIN_SCRATCH/tag6.csv"
printf '\357\273\277Datum;Uhrzeit;Gewicht\r\n06.03.2024;23:59:59;1000\r\n' >"$tag6"

gleich() { # gleich FILE EXPECTED WHAT
    cmp -s "$1" "$2" && return 0
    fehlschlag "$3: statt
$(od -c "$2" | head -20)
kam
$(od -c "$1" | head -20)"
}
ohne_fehler() { # ohne_fehler RC WHAT
    [ "$1" -eq 0 ] || fehlschlag "$2: Exit-Code $1: $(cat "$fehler")"
    [ -s "$fehler" ] && fehlschlag "$2: auf stderr: $(cat "$fehler")"
    return 0
}
# What the console showed, as text: wine's console draws with escape sequences, blanks as cursor moves, and
# ends lines with CR LF. It writes to the terminal in the Unix charset: C.UTF-8 is on every Debian, de_DE.UTF-8
# often not (wine then writes ü as u); the system's ANSI code page is 1252 under either.
konsole() { # konsole COMMAND_LINE -> the transcript in $aus, the exit code as return value
    env LC_ALL=C.UTF-8 script -qfec "wine cmd /c \"$1\"" /dev/null </dev/null 2>&1 |
        env LC_ALL=C perl -pe 's/\e\[(\d*)C/" " x ($1 || 1)/ge; s/\e\[[0-9;?]*[A-Za-z]//g; s/\e\][^\a]*\a//g; s/\r//g' >"$aus"
    return "${PIPESTATUS[0]}"
}

# 1. From cmd, its output redirected by the caller; wine alone; and cmd's own redirection into a file.
wine cmd /c "$programm --export - --data-dir $(winpfad "$daten")" >"$aus" 2>"$fehler"
ohne_fehler $? "cmd /c gramura.exe --export -"
gleich "$aus" "$erwartet" "cmd /c gramura.exe --export -"
wine "$WIN_DEPLOY/gramura.exe" --export - --data-dir "$(winpfad "$daten")" >"$aus" 2>"$fehler"
ohne_fehler $? "wine gramura.exe --export -"
gleich "$aus" "$erwartet" "wine gramura.exe --export -"
wine cmd /c "$programm --export - --data-dir $(winpfad "$daten") > $(winpfad "$WIN_SCRATCH/datei.csv")" \
    >"$aus" 2>"$fehler"
ohne_fehler $? "cmd /c gramura.exe --export - > datei.csv"
gleich "$WIN_SCRATCH/datei.csv" "$erwartet" "cmd /c gramura.exe --export - > datei.csv"
wine cmd /c "$programm --export - --from 2024-03-06 --to 2024-03-06 --data-dir $(winpfad "$daten")" \
    >"$aus" 2>"$fehler"
ohne_fehler $? "--export - --from 2024-03-06 --to 2024-03-06"
gleich "$aus" "$tag6" "--export - --from 2024-03-06 --to 2024-03-06"

# A folder whose name the ANSI code page cannot hold (wine in C.UTF-8 would give "?" or "O" for Ω in argv), for
# the data and for the file.
omega="$WIN_SCRATCH/Gewichte-Ω"
mkdir -p "$omega"
cp "$daten/zel.mdb" "$omega/zel.mdb"
env LC_ALL=C.UTF-8 wine "$WIN_DEPLOY/gramura.exe" --export "$(winpfad "$omega/gewichte-Ω.csv")" \
    --data-dir "$(winpfad "$omega")" >"$aus" 2>"$fehler"
ohne_fehler $? "--export …\\Gewichte-Ω\\gewichte-Ω.csv --data-dir …\\Gewichte-Ω"
gleich "$omega/gewichte-Ω.csv" "$erwartet" "--export in den Ordner Gewichte-Ω"

# Windows' devices, in the folder the job runs in: NUL takes the rows and leaves no file behind, CON shows them
# in the console.
geraete="$WIN_SCRATCH/geraete"
mkdir -p "$geraete"
wine cmd /c "cd /d $(winpfad "$geraete") && $programm --export NUL --data-dir $(winpfad "$daten")" >"$aus" 2>"$fehler"
ohne_fehler $? "--export NUL"
[ -s "$aus" ] && fehlschlag "--export NUL: auf stdout: $(cat "$aus")"
[ -z "$(ls -A "$geraete")" ] || fehlschlag "--export NUL lässt Dateien zurück: $(ls -A "$geraete")"
wine cmd /c "$programm --export $(winpfad "$geraete")\\nul.csv --data-dir $(winpfad "$daten")" >"$aus" 2>"$fehler"
ohne_fehler $? "--export …\\nul.csv"
[ -z "$(ls -A "$geraete")" ] || fehlschlag "--export …\\nul.csv lässt Dateien zurück: $(ls -A "$geraete")"

# 2. Into the console of cmd itself: the rows in order, the exit code 0.
konsole "$programm --export - --data-dir $(winpfad "$daten")" || fehlschlag "in der Konsole: Exit-Code $?: $(cat "$aus")"
sed -n 's/.*\(Datum;Uhrzeit;Gewicht\)$/\1/p; /^[0-9][0-9]\.[0-9][0-9]\.[0-9]\{4\};/p' "$aus" >"$WIN_SCRATCH/konsole.csv"
tail -c +4 "$erwartet" | tr -d '\r' | cmp -s - "$WIN_SCRATCH/konsole.csv" ||
    fehlschlag "in der Konsole kam nicht die CSV: $(cat "$aus")"

konsole "cd /d $(winpfad "$geraete") && $programm --export CON --data-dir $(winpfad "$daten")" ||
    fehlschlag "--export CON: Exit-Code $?: $(cat "$aus")"
sed -n 's/.*\(Datum;Uhrzeit;Gewicht\)$/\1/p; /^[0-9][0-9]\.[0-9][0-9]\.[0-9]\{4\};/p' "$aus" >"$WIN_SCRATCH/konsole.csv"
tail -c +4 "$erwartet" | tr -d '\r' | cmp -s - "$WIN_SCRATCH/konsole.csv" ||
    fehlschlag "--export CON zeigt nicht die CSV: $(cat "$aus")"
[ -z "$(ls -A "$geraete")" ] || fehlschlag "--export CON lässt Dateien zurück: $(ls -A "$geraete")"
# A date another program stored as text with an umlaut: the console shows it as written, and no byte order mark
# before the header.
umlaute="$WIN_SCRATCH/umlaute"
mkdir -p "$umlaute"
cp "$WIN_DEPLOY/zel.neu" "$umlaute/zel.mdb"
sqlite3 "$umlaute/zel.mdb" "insert into Gewichte (Datum, Gewicht) values ('Prüfung', 5)" || fehlschlag "umlaute/zel.mdb"
for ziel in - CON; do
    konsole "$programm --export $ziel --data-dir $(winpfad "$umlaute")" ||
        fehlschlag "--export $ziel mit Umlauten: Exit-Code $?: $(cat "$aus")"
    grep -qx "Datum;Uhrzeit;Gewicht" "$aus" && grep -qx "Prüfung;;5" "$aus" ||
        fehlschlag "--export $ziel zeigt in der Konsole nicht „Prüfung;;5“ unter dem Kopf: $(cat "$aus")"
done

# 3. --help: on standard output from cmd, and in its console.
wine cmd /c "$programm --help" >"$aus" 2>"$fehler"
ohne_fehler $? "cmd /c gramura.exe --help"
for text in "--export <FILE>" "--data-dir <DIR>" "--from <yyyy-MM-dd>" "Diese Hilfe anzeigen."; do
    grep -qF -- "$text" "$aus" || fehlschlag "--help nennt „$text“ nicht: $(cat "$aus")"
done
konsole "$programm --help" || fehlschlag "--help in der Konsole: Exit-Code $?"
for text in "--export <FILE>" "Gewicht der Wiegeanzeige anzeigen, übergeben und aufzeichnen"; do
    grep -qF -- "$text" "$aus" || fehlschlag "--help zeigt in der Konsole nicht „$text“: $(cat "$aus")"
done

# 4. Refusals: one German line on standard error, nothing on standard output, the documented exit code. Files
# get the texts in the system's ANSI code page, the console shows them in its own.
ablehnung() { # ablehnung CODE TEXT ARGS...
    local code=$1 text=$2 rc
    shift 2
    wine cmd /c "$programm $*" >"$aus" 2>"$fehler"
    rc=$?
    [ "$rc" -eq "$code" ] || fehlschlag "gramura.exe $*: Exit-Code $rc statt $code: $(cat "$fehler")"
    [ -s "$aus" ] && fehlschlag "gramura.exe $*: auf stdout: $(cat "$aus")"
    [ "$(wc -l <"$fehler")" -eq 1 ] || fehlschlag "gramura.exe $*: nicht eine Zeile auf stderr: $(cat "$fehler")"
    iconv -f WINDOWS-1252 -t UTF-8 "$fehler" | grep -q "^gramura: .*$(printf '%s' "$text" | sed 's/[][\.*^$/]/\\&/g')" ||
        fehlschlag "gramura.exe $*: statt „gramura: …$text“ auf stderr: $(cat "$fehler")"
}
ablehnung 2 "unbekannte Option --gibtsnicht" --gibtsnicht
ablehnung 2 "--data-dir erwartet einen Wert" --export - --data-dir
ablehnung 2 "--from und --to gelten nur mit --export" --from 2024-03-05
ablehnung 2 "--from erwartet ein Datum yyyy-MM-dd, nicht „2024-13-45“." --export - --from 2024-13-45 \
    --data-dir "$(winpfad "$daten")"
ablehnung 1 "„$(winpfad "$leer")“ gibt es keine Datenbank zel.mdb." --export - --data-dir "$(winpfad "$leer")"
[ -e "$leer/zel.mdb" ] && fehlschlag "--export legt zel.mdb an"
# A share holds no working database of a station (SQLite's journal is not shared across computers there).
ablehnung 1 "der Datenordner „\\\\server\\freigabe\\waage“ liegt im Netzwerk" --export - \
    --data-dir '\\server\freigabe\waage'
konsole "$programm --export - --from 2024-13-45 --data-dir $(winpfad "$daten")"
rc=$?
[ "$rc" -eq 2 ] || fehlschlag "falsches Datum in der Konsole: Exit-Code $rc"
grep -qF "gramura: --from erwartet ein Datum yyyy-MM-dd, nicht „2024-13-45“." "$aus" ||
    fehlschlag "die Konsole zeigt die Ablehnung nicht richtig: $(cat "$aus")"
echo "PASSED"
