#!/bin/bash
# The installed program keeps its records in the user's folder: installed per machine under
# C:\Program Files\Gramura, it finds no zel.mdb or zel.neu beside itself and makes zel.mdb in
# %LOCALAPPDATA%\Gramura from the template in share\gramura, names that folder on the page "Info", and "Löschen"
# puts the empty template in place of zel.mdb. Uninstalled, the program folder and its Start-menu entry go, the
# records stay. The installer tells when Microsoft's Visual C++ runtime (which only the central store's driver
# needs) is missing, and installs anyway; with the runtime there it says nothing of it.
#   installer.sh nsis    installs with the NSIS installer of the build through its wizard where the runtime is
#                        there, then silently (/S) over it where it is missing, uninstalls silently, and at last
#                        installs through the wizard where it is missing, confirming the note on it
#   installer.sh kopie   lays the installed folder out as the installer does (the runnable folder without the
#                        template beside the program), so the data folder is tested where the installer cannot run
. "$(dirname "$0")/wine_umgebung.sh"
windows_oder_auslassen
art=${1:-nsis}
prefix_bereiten

titel="VELKOR ZEL Desktop"
programm="$WIN_C/Program Files/Gramura"
startmenue="$WIN_C/ProgramData/Microsoft/Windows/Start Menu/Programs"
datenordner="$WIN_LOCALAPPDATA/Gramura"
bilder="${GRAMURA_WINDOWS_BILDER:-$WIN_SCRATCH}"
mkdir -p "$bilder"
assistent_titel="Installation von VELKOR ZEL Desktop"
dateien=(gramura.exe Qt6Core.dll Qt6Widgets.dll Qt6Sql.dll platforms/qwindows.dll sqldrivers/qsqlite.dll
    sqldrivers/qsqlpsql.dll libpq.dll libssl-3-x64.dll libcrypto-3-x64.dll libintl-9.dll libiconv-2.dll
    share/gramura/zel.neu translations/qtbase_de.qm)
xvfb_starten
abfrage_bauen

# What the installed folder holds: every file the program and its drivers need, no records beside the program;
# from the installer also the uninstaller and the Start-menu entry to the program.
installiert_pruefen() {
    local datei verknuepfung
    for datei in "${dateien[@]}"; do
        [ -f "$programm/$datei" ] || fehlschlag "$datei fehlt in C:\\Program Files\\Gramura"
    done
    for datei in zel.neu zel.mdb; do
        [ -e "$programm/$datei" ] && fehlschlag "$datei liegt neben dem installierten Programm"
    done
    [ "$art" = nsis ] || return 0
    [ -f "$programm/Uninstall.exe" ] || fehlschlag "kein Uninstall.exe in C:\\Program Files\\Gramura"
    verknuepfung=$(find "$startmenue" -name "$titel.lnk" 2>/dev/null | head -n1)
    [ -n "$verknuepfung" ] || fehlschlag "kein Eintrag „$titel“ im Startmenü unter $startmenue"
    # A shell link names its target's path; the 64-bit view of Program Files, not Program Files (x86).
    strings -a -el "$verknuepfung" | grep -qi 'Program Files\\Gramura\\gramura.exe' ||
        strings -a "$verknuepfung" | grep -qi 'Program Files\\Gramura\\gramura.exe' ||
        fehlschlag "der Startmenü-Eintrag führt nicht zu C:\\Program Files\\Gramura\\gramura.exe"
    echo "Startmenü: ${verknuepfung#"$startmenue"/}"
}

# Waits up to $2 seconds until the window in front shows a line matching $1 (an extended regex); prints its
# texts either way, so a failure can say what was there instead.
vorn_zeigt() {
    local ende=$(($(date +%s) + $2)) texte
    while :; do
        texte=$(vordergrund_texte)
        grep -qE "$1" <<<"$texte" && { printf '%s\n' "$texte"; return 0; }
        [ "$(date +%s)" -lt "$ende" ] || break
        sleep 0.2
    done
    printf '%s\n' "${texte:-(kein Fenster vorn)}"
    return 1
}

# The installer's wizard walked as most install: Return on each page once it is there (Willkommen, the licence,
# the folder, which must be the 64-bit Program Files, the Start-menu folder), the installation, the last page.
# assistent da: the Visual C++ runtime is there, and nothing is said of it. assistent fehlt: it is not; the
# installation stops at a note that names the file and Microsoft's redistributable, and goes on after "OK".
assistent() {
    local laufzeit=$1 setup fenster seite texte meldung ende
    if [ "$laufzeit" = fehlt ]; then
        ohne_vc_laufzeit wine "$WIN_SCRATCH/setup.exe" >"$WIN_SCRATCH/assistent.txt" 2>&1 &
    else
        wine "$WIN_SCRATCH/setup.exe" >"$WIN_SCRATCH/assistent.txt" 2>&1 &
    fi
    setup=$!
    fenster=$(fenster_warten "$assistent_titel" 60) || fehlschlag "kein Installationsassistent nach 60 s"
    for seite in '^Willkommen zur Installation$' '^Lizenzabkommen$' '^C:\\Program Files\\Gramura$' \
        '^Startmenü-Ordner bestimmen$'; do
        texte=$(vorn_zeigt "$seite" 30) || fehlschlag "keine Seite mit „$seite“ im Assistenten; vorn: $texte"
        xdotool key --window "$fenster" Return 2>/dev/null
    done
    # A note stops the installation until it is answered, so the last page before any answer means there was none.
    texte=$(vorn_zeigt 'vc_redist|^&Fertigstellen$' 60) ||
        fehlschlag "die Installation kommt nicht zur letzten Seite; vorn: $texte"
    if [ "$laufzeit" = fehlt ]; then
        grep -q 'vc_redist' <<<"$texte" ||
            fehlschlag "ohne VCRUNTIME140.dll keine Meldung, die Installation endet so: $texte"
        grep -q '(VCRUNTIME140\.dll)' <<<"$texte" || fehlschlag "die Meldung nennt VCRUNTIME140.dll nicht: $texte"
        grep -q '(vc_redist\.x64\.exe, von Microsoft)' <<<"$texte" ||
            fehlschlag "die Meldung nennt vc_redist.x64.exe nicht: $texte"
        grep -qx 'OK' <<<"$texte" || fehlschlag "die Meldung hat kein „OK“: $texte"
        echo "Meldung: $(grep -m1 'VCRUNTIME140' <<<"$texte")"
        meldung=$(xdotool search --onlyvisible --name "^${assistent_titel}\$" 2>/dev/null | grep -vx "$fenster" | head -n1)
        [ -n "$meldung" ] || fehlschlag "die Meldung ist in Windows vorn, aber kein Fenster „$assistent_titel“ in X"
        xdotool key --window "$meldung" Return 2>/dev/null
        texte=$(vorn_zeigt '^&Fertigstellen$' 60) ||
            fehlschlag "nach „OK“ auf die Meldung kommt die Installation nicht zur letzten Seite; vorn: $texte"
    else
        grep -q 'vc_redist' <<<"$texte" && fehlschlag "mit VCRUNTIME140.dll meldet die Installation doch: $texte"
    fi
    grep -qx 'Die Installation wurde erfolgreich abgeschlossen.' <<<"$texte" ||
        fehlschlag "die letzte Seite meldet keinen Erfolg: $texte"
    xdotool key --window "$fenster" Return 2>/dev/null
    ende=$(($(date +%s) + 30))
    while kill -0 "$setup" 2>/dev/null; do
        [ "$(date +%s)" -lt "$ende" ] || fehlschlag "der Assistent bleibt 30 s nach „Fertigstellen“ offen"
        sleep 0.2
    done
    wait "$setup" || fehlschlag "der Assistent endet mit $?: $(cat "$WIN_SCRATCH/assistent.txt")"
    echo "Assistent, Laufzeit $laufzeit: installiert"
}

case "$art" in
nsis)
    installer=$(ls "$WIN_BUILD"/gramura-*-win64.exe 2>/dev/null | head -n1)
    [ -n "$installer" ] || fehlschlag "kein Installationsprogramm gramura-<Version>-win64.exe in $WIN_BUILD"
    echo "Installationsprogramm $(basename "$installer"): $(stat -c %s "$installer") Bytes"
    # The PE header's machine field: 014c is a 32-bit program, which needs the 32-bit half of wine.
    pe=$(od -An -tu4 -j60 -N4 "$installer" | tr -d ' ')
    maschine=$(od -An -tx2 -j$((pe + 4)) -N2 "$installer" | tr -d ' ')
    if [ "$maschine" = "014c" ] && [ ! -f "$WIN_C/windows/syswow64/kernel32.dll" ]; then
        echo "SKIPPED: das Installationsprogramm ist ein 32-Bit-Programm (NSIS-Stub x86) und dieses wine hat keinen 32-Bit-Teil (wine32; C:\\windows\\syswow64 ist leer)"
        exit 0
    fi
    cp "$installer" "$WIN_SCRATCH/setup.exe"
    assistent da
    # Then as an administrator deploys, silently, where the runtime is missing: neither the question about the
    # version installed nor the note on the runtime may wait for an answer nobody gives. The program taken away
    # first, so that its being there afterwards is this run's doing.
    rm -f "$programm/gramura.exe"
    ohne_vc_laufzeit timeout 120 wine "$WIN_SCRATCH/setup.exe" /S >"$WIN_SCRATCH/setup.txt" 2>&1
    rc=$?
    wineserver -w
    [ "$rc" -eq 0 ] || fehlschlag "setup.exe /S ohne VCRUNTIME140.dll endet mit $rc: $(cat "$WIN_SCRATCH/setup.txt")"
    ;;
kopie)
    mkdir -p "$programm"
    cp -r "$WIN_DEPLOY"/. "$programm"/
    rm -f "$programm/zel.neu"
    ;;
*)
    fehlschlag "installer.sh nsis|kopie, nicht $art"
    ;;
esac

installiert_pruefen

# Recording every second from the start, so there are rows to delete.
wine reg add 'HKCU\Software\VB and VBA Program Settings\Gramura\frm_Settings' /v chk1s /t REG_SZ /d 1 /f \
    >/dev/null 2>&1 || fehlschlag "reg add chk1s"
zeilen() {
    gewichte "$datenordner/zel.mdb" "${1:-}"
}
zeilen_warten() { # zeilen_warten AT_LEAST [WHERE]
    gewichte_warten "$datenordner/zel.mdb" "$@"
}

# Started as the Start-menu entry starts it: the installed program, no options but the simulated indicator.
wine "C:\\Program Files\\Gramura\\gramura.exe" --demo >"$WIN_SCRATCH/aus.txt" 2>&1 &
gramura=$!
fenster=$(fenster_warten "$titel" 90) || fehlschlag "kein Fenster nach 90 s ($(cat "$WIN_SCRATCH/aus.txt"))"
n=$(zeilen_warten 3) || fehlschlag "nach 30 s $n Zeilen in $datenordner/zel.mdb"
[ -e "$programm/zel.mdb" ] && fehlschlag "zel.mdb im Programmordner angelegt"
echo "zel.mdb in $(winepath -w "$datenordner" 2>/dev/null)"

# The page "Info": its data folder is selected with the mouse and copied, as an operator copies it. The tab
# and the row's place: the strip's fourth tab; the row 420 twips down the page, from 1380 to 8325 across.
xdotool mousemove --window "$fenster" 370 19 click 1
sleep 1
bildschirm "$bilder/installer-info.png"
zeile_y=$(((480 + 420 + 157 + 7) / 15))
xdotool mousemove --window "$fenster" $(((105 + 1380 + 45) / 15)) "$zeile_y" mousedown 1
sleep 0.2
xdotool mousemove --window "$fenster" 300 "$zeile_y"
sleep 0.2
xdotool mousemove --window "$fenster" $(((105 + 8325 - 45) / 15)) "$zeile_y"
sleep 0.2
xdotool mouseup 1
sleep 0.3
xdotool key ctrl+c
sleep 0.5
erwartet=$(winepath -w "$datenordner" 2>/dev/null)
gezeigt=$(zwischenablage) || fehlschlag "vom Datenordner auf der Seite „Info“ kam nichts in die Zwischenablage"
gezeigt=$(printf '%s' "$gezeigt" | sed 's/^ *//; s/ *$//')
[ "$gezeigt" = "$erwartet" ] || fehlschlag "die Seite „Info“ nennt „$gezeigt“ als Datenordner, nicht „$erwartet“"
echo "Info: Datenordner $gezeigt"

# "Löschen" under the list of the page "Aufzeichnung" (third tab): the button's place at the window's design
# size is 5615 twips across, 4410 down.
xdotool mousemove --window "$fenster" 290 19 click 1
sleep 1
# A row stored for a second up to three back is stored by now, even on a busy machine.
grenze=$(date -d '-3 seconds' '+%Y-%m-%d %H:%M:%S')
alt=$(zeilen "where Datum <= '$grenze'")
[ "${alt:-0}" -ge 2 ] || fehlschlag "vor „Löschen“ nur ${alt:-0} Zeilen bis $grenze"
xdotool mousemove --window "$fenster" $(((5615 + 697 + 7) / 15)) $(((4410 + 187 + 7) / 15)) click 1
sleep 2
bildschirm "$bilder/installer-geloescht.png"
rest=$(zeilen "where Datum <= '$grenze'") || fehlschlag "zel.mdb ist nach „Löschen“ nicht lesbar"
[ "$rest" -eq 0 ] || fehlschlag "nach „Löschen“ stehen noch $rest der $alt Zeilen bis $grenze in zel.mdb"
# The recording goes on into the new file.
n=$(zeilen_warten 2 "where Datum > '$grenze'") || fehlschlag "nach „Löschen“ wird nicht weiter aufgezeichnet ($n Zeilen)"
echo "Löschen: $alt alte Zeilen fort, danach $(zeilen) neue"

# "Beenden" at (60, 4410).
xdotool mousemove --window "$fenster" $(((60 + 697 + 7) / 15)) $(((4410 + 187 + 7) / 15)) click 1
fenster_weg "$titel" 30 || fehlschlag "das Fenster bleibt nach „Beenden“"
ende_warten "$gramura" 30 "„Beenden“"

if [ "$art" = nsis ]; then
    # The uninstaller copies itself to %TEMP% and returns at once; the folder goes when that copy is done.
    timeout 60 wine "C:\\Program Files\\Gramura\\Uninstall.exe" /S >"$WIN_SCRATCH/uninstall.txt" 2>&1 ||
        fehlschlag "Uninstall.exe /S: $(cat "$WIN_SCRATCH/uninstall.txt")"
    ende=$(($(date +%s) + 60))
    while [ -e "$programm" ]; do
        [ "$(date +%s)" -lt "$ende" ] ||
            fehlschlag "C:\\Program Files\\Gramura bleibt nach der Deinstallation: $(find "$programm" | head -20)"
        sleep 0.5
    done
    [ -n "$(find "$startmenue" -name "$titel.lnk" 2>/dev/null)" ] && fehlschlag "der Startmenü-Eintrag bleibt"
    [ -f "$datenordner/zel.mdb" ] || fehlschlag "die Deinstallation nimmt zel.mdb mit"
    sqlite3 "$datenordner/zel.mdb" "select count(*) from Gewichte" >/dev/null || fehlschlag "zel.mdb danach nicht lesbar"
    echo "deinstalliert; $(winepath -w "$datenordner/zel.mdb" 2>/dev/null) bleibt"

    assistent fehlt
    installiert_pruefen
fi
echo "PASSED"
