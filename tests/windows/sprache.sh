#!/bin/bash
# The Windows program on a Windows in English: the program folder brings Qt's German words along (in
# translations\), so the command line's help and Qt's part of its refusals speak German as on a German Windows.
. "$(dirname "$0")/wine_umgebung.sh"
windows_oder_auslassen
prefix_bereiten
unset DISPLAY
# After prefix_bereiten, which makes wine German: this test's wine is English.
export LC_ALL=C

for qm in qtbase_de.qm qtserialport_de.qm; do
    [ -s "$WIN_DEPLOY/translations/$qm" ] || fehlschlag "translations\\$qm fehlt im Ordner $WIN_DEPLOY"
done
programm=$(winpfad "$WIN_DEPLOY/gramura.exe")
aus="$WIN_SCRATCH/aus"
fehler="$WIN_SCRATCH/fehler"

wine cmd /c "$programm --help" >"$aus" 2>"$fehler"
rc=$?
[ "$rc" -eq 0 ] || fehlschlag "gramura.exe --help: Exit-Code $rc: $(cat "$fehler")"
for text in "Aufruf: gramura.exe [Optionen]" "Optionen:" "Diese Hilfe anzeigen."; do
    grep -qF -- "$text" "$aus" || fehlschlag "--help nennt „$text“ nicht: $(cat "$aus")"
done
grep -qE "Usage|Options:" "$aus" && fehlschlag "--help spricht Englisch: $(cat "$aus")"

wine cmd /c "$programm --export - --data-dir" >"$aus" 2>"$fehler"
rc=$?
[ "$rc" -eq 2 ] || fehlschlag "gramura.exe --export - --data-dir: Exit-Code $rc statt 2: $(cat "$fehler")"
grep -qF "gramura: --data-dir erwartet einen Wert" "$fehler" ||
    fehlschlag "statt „gramura: --data-dir erwartet einen Wert“ auf stderr: $(cat "$fehler")"
echo "PASSED"
