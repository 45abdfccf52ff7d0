#!/bin/bash
# The clipboard around a paste, with the program under wine, the target a plain Win32 edit (einfuegeziel.exe)
# and the operator's keys pressed on X:
#   1. the weight goes to the clipboard with the formats that keep it out of clipboard history and the cloud
#      clipboard, each a DWORD 0 where Windows reads one;
#   2. what the operator had copied is on the clipboard again once the weight is in the target;
#   3. while another program holds the clipboard open, a press pastes nothing (before, Ctrl+V went out and
#      the target got the operator's own text as the weight); once it lets go, the next press pastes.
. "$(dirname "$0")/wine_umgebung.sh"
windows_oder_auslassen
prefix_bereiten
abfrage_bauen
einfuegeziel_bauen
xvfb_starten

daten="$WIN_SCRATCH/daten"
mkdir -p "$daten"
protokoll="$WIN_SCRATCH/ziel.log"
: >"$protokoll"

scheitern() {
    ziel_scheitern ablage "$@"
}

zieltext() {
    grep ' TEXT ' "$protokoll" | tail -n1 | cut -d' ' -f3-
}

strg_y() {
    env LC_ALL=C xdotool keydown --delay 0 Control_L sleep 0.05 keydown --delay 0 y sleep 0.1 \
        keyup --delay 0 y keyup --delay 0 Control_L
}

wine "$WIN_EINFUEGEZIEL" "$(winpfad "$protokoll")" --ablage >"$WIN_SCRATCH/ziel.txt" 2>&1 &
ziel=$(fenster_warten Einfuegeziel 60) || scheitern "kein Fenster \"Einfuegeziel\": $(cat "$WIN_SCRATCH/ziel.txt")"
ziel_warten_auf BEREIT 30 0 || scheitern "einfuegeziel.exe meldet sich nicht bereit"

wine reg add 'HKCU\Software\VB and VBA Program Settings\Gramura\frm_Settings' /v Taste /d 36 /f >/dev/null 2>&1 ||
    scheitern "Taste nicht ins Register geschrieben"
vorher=$(zielzeilen)
wine "$WIN_DEPLOY/gramura.exe" --demo --data-dir "$(winpfad "$daten")" >"$WIN_SCRATCH/gramura.txt" 2>&1 &
fenster_warten "VELKOR ZEL Desktop" 90 >/dev/null || scheitern "kein Programmfenster: $(cat "$WIN_SCRATCH/gramura.txt")"
ziel_warten_auf INAKTIV 10 "$vorher" || true
sleep 1.5 # the simulated indicator's first weights
env LC_ALL=C xdotool mousemove --window "$ziel" 300 100 click 1
ziel_warten_auf AKTIV 10 "$vorher" || scheitern "das Einfügeziel kommt auf einen Klick nicht nach vorn"
sleep 0.3

# 1 and 2: the operator has copied a text; a press pastes the weight, and the text is back afterwards.
wine "$WIN_ABFRAGE" setzen "Lieferschein 4711" || scheitern "abfrage.exe setzt die Zwischenablage nicht"
sleep 0.5
vorher=$(zielzeilen)
strg_y
ziel_warten_auf 'TEXT .*[0-9],[0-9]+.*' 5 "$vorher" || scheitern "kein Gewicht im Ziel nach Strg+Y"
formate=$(tail -n "+$((vorher + 1))" "$protokoll" | grep -m1 ' ABLAGE ' | cut -d' ' -f3-)
echo "Formate des Gewichts auf der Zwischenablage: $formate"
for format in "ExcludeClipboardContentFromMonitorProcessing=" "CanIncludeInClipboardHistory=00000000" \
    "CanUploadToCloudClipboard=00000000"; do
    case ";$formate" in
    *";$format"*) ;;
    *) scheitern "Format fehlt oder nicht 0: $format" ;;
    esac
done
ende=$(($(date +%s) + 5))
until [ "$(wine "$WIN_ABFRAGE" ablage 2>/dev/null)" = "Lieferschein 4711" ]; do
    [ "$(date +%s)" -lt "$ende" ] ||
        scheitern "nach dem Einfügen steht „$(wine "$WIN_ABFRAGE" ablage 2>/dev/null)“ statt des Kopierten auf der Zwischenablage"
    sleep 0.2
done
echo "Kopiertes nach dem Einfügen wieder da"

# 3: another program holds the clipboard open for five seconds.
text_vorher=$(zieltext)
wine "$WIN_ABFRAGE" halten 5000 >"$WIN_SCRATCH/halten.txt" 2>&1 &
halter=$!
ende=$(($(date +%s) + 20))
until grep -q HAELT "$WIN_SCRATCH/halten.txt"; do
    [ "$(date +%s)" -lt "$ende" ] || scheitern "abfrage.exe hält die Zwischenablage nicht"
    sleep 0.1
done
vorher=$(zielzeilen)
strg_y
sleep 3
[ "$(zieltext)" = "$text_vorher" ] ||
    scheitern "bei belegter Zwischenablage kam „$(zieltext)“ ins Ziel (vorher „$text_vorher“)"
# The target's paste would fail too while the clipboard is held; the fault is the Ctrl+V going out at all, which
# a moment later pastes whatever the clipboard holds.
if tail -n "+$((vorher + 1))" "$protokoll" | grep -q ' TASTE v vk=56 .*flags=\(10\|11\)$'; then
    scheitern "bei belegter Zwischenablage ging ein Strg+V hinaus"
fi
echo "Belegte Zwischenablage: nichts eingefügt"
wait "$halter"
vorher=$(zielzeilen)
strg_y
ziel_warten_auf 'TEXT .*[0-9],[0-9]+.*[0-9],[0-9]+.*' 5 "$vorher" ||
    scheitern "nach dem Freigeben kein zweites Gewicht im Ziel: „$(zieltext)“"
case "$(zieltext)" in
*Lieferschein*) scheitern "das Kopierte des Bedieners kam als Gewicht ins Ziel: „$(zieltext)“" ;;
esac
echo "PASSED"
