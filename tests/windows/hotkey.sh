#!/bin/bash
# Every press of the hotkey pastes the weight exactly once into the application in front, with the program under
# wine and the keys pressed on X as a keyboard presses them (XTest): Strg+Y 20 times for 30 ms and 20 times for
# 150 ms, three times twice within 300 ms (the second press waits for the first paste), then Alt+B, F5,
# Umschalt+F5 and AltGr+Y a few times each, the program started anew for each hotkey ("Taste" in the registry). The application is einfuegeziel.exe, a plain Win32 window with an edit control that
# writes down every key the system's low-level hook sees and every change of its text; hotkey.awk judges each
# press from that record: lost or doubled, by wine or by the program. Printed, not asserted: the time from the
# hotkey's main key going down (at the hook) to the weight in the text, median and worst.
#   hotkey.sh          AltGr pressed as X's right Alt (Alt_R): wine reports that key as Windows reports AltGr
#   hotkey.sh altgr    AltGr as X's German layout has it (ISO_Level3_Shift); skipped where wine does not report
#                      it as Windows does
. "$(dirname "$0")/wine_umgebung.sh"
hier=$(cd "$(dirname "$0")" && pwd)
art=${1:-tasten}
case "$art" in
tasten | altgr) ;;
*) echo "FAILED: unbekannter Fall \"$art\" (tasten oder altgr)"; exit 1 ;;
esac
windows_oder_auslassen
prefix_bereiten
einfuegeziel_bauen
xvfb_starten
if [ "$art" = tasten ]; then
    # Right Alt sends Alt_R, not ISO_Level3_Shift: wine gives the latter an OEM key code rather than right Alt.
    setxkbmap -display "$DISPLAY" -layout de -option lv3:ralt_alt || fehlschlag "setxkbmap -option lv3:ralt_alt"
fi

daten="$WIN_SCRATCH/daten"
mkdir -p "$daten"
protokoll="$WIN_SCRATCH/ziel.log"
: >"$protokoll"
# Press after press, so far apart that the paste before has let go of the clipboard: where Windows does not
# say who fetched it, the program holds it a second after each Ctrl+V.
abstand_ms=1300

scheitern() {
    ziel_scheitern "hotkey-$art" "$@"
}

marke() {
    echo "$(date +%s%6N) $*" >>"$protokoll"
}

# Whether the record's last word on the target's window is that it is in front.
ziel_vorn() {
    grep -E ' (AKTIV|INAKTIV)$' "$protokoll" | tail -n1 | grep -q ' AKTIV$'
}

sekunden() {
    printf '%d.%03d' $(($1 / 1000)) $(($1 % 1000))
}

ziel_starten() {
    wine "$WIN_EINFUEGEZIEL" "$(winpfad "$protokoll")" >"$WIN_SCRATCH/ziel.txt" 2>&1 &
    ziel=$(fenster_warten Einfuegeziel 60) ||
        scheitern "kein Fenster \"Einfuegeziel\" nach 60 s: $(cat "$WIN_SCRATCH/ziel.txt")"
    ziel_warten_auf BEREIT 30 0 || scheitern "einfuegeziel.exe meldet sich nicht bereit: $(cat "$WIN_SCRATCH/ziel.txt")"
}

# A click into the target's window below the edit, as the operator brings the application to the front.
ziel_nach_vorn() {
    env LC_ALL=C xdotool mousemove --window "$ziel" 300 100 click 1
    local ende=$(($(date +%s) + 10))
    until ziel_vorn; do
        [ "$(date +%s)" -lt "$ende" ] || scheitern "das Einfügeziel kommt auf einen Klick nicht nach vorn"
        sleep 0.1
    done
    sleep 0.3
}

gramura=""
gramura_starten() {
    wine reg add 'HKCU\Software\VB and VBA Program Settings\Gramura\frm_Settings' /v Taste /d "$1" /f \
        >/dev/null 2>&1 || scheitern "Taste $1 nicht ins Register geschrieben"
    local vorher
    vorher=$(zielzeilen)
    marke START "$1"
    wine "$WIN_DEPLOY/gramura.exe" --demo --data-dir "$(winpfad "$daten")" >"$WIN_SCRATCH/gramura.txt" 2>&1 &
    gramura=$!
    fenster_warten "VELKOR ZEL Desktop" 90 >/dev/null ||
        scheitern "kein Fenster \"VELKOR ZEL Desktop\" nach 90 s: $(cat "$WIN_SCRATCH/gramura.txt")"
    # The program comes to the front as it shows; the click must come after that, or it takes the keys.
    ziel_warten_auf INAKTIV 10 "$vorher" || true
    # The simulated indicator's first weights; without one a press pastes nothing.
    sleep 1.5
    ziel_nach_vorn
}

gramura_beenden() {
    marke STOPP
    wine taskkill /IM gramura.exe >/dev/null 2>&1
    local ende=$(($(date +%s) + 30))
    while kill -0 "$gramura" 2>/dev/null; do
        if [ "$(date +%s)" -ge "$ende" ]; then
            kill "$gramura" 2>/dev/null
            scheitern "gramura.exe endet nicht auf WM_CLOSE (taskkill)"
        fi
        sleep 0.2
    done
    wait "$gramura" 2>/dev/null
}

# Sets befehl to xdotool's words for one press of KEY held for HOLD_MS, the modifiers down 50 ms before it and up
# just after it: tastenbefehl HOLD_MS KEY [MODIFIER...]
tastenbefehl() {
    local halten=$1 taste=$2 m i
    shift 2
    befehl=()
    for m in "$@"; do
        befehl+=(keydown --delay 0 "$m")
    done
    [ $# -gt 0 ] && befehl+=(sleep 0.05)
    befehl+=(keydown --delay 0 "$taste" sleep "$(sekunden "$halten")" keyup --delay 0 "$taste")
    for ((i = $#; i >= 1; i--)); do
        befehl+=(keyup --delay 0 "${!i}")
    done
}

# Sleeps until $2 ms after the moment $1 (date +%s%N).
bis() {
    local rest=$(($2 - ($(date +%s%N) - $1) / 1000000))
    [ "$rest" -gt 0 ] && sleep "$(sekunden "$rest")"
}

# reihe CASE COUNT HOLD_MS KEY [MODIFIER...]: COUNT presses, each starting abstand_ms after the one before.
reihe() {
    local fall=$1 anzahl=$2 nr beginn
    shift 2
    tastenbefehl "$@"
    druecke_gesamt=$((druecke_gesamt + anzahl))
    for ((nr = 1; nr <= anzahl; nr++)); do
        beginn=$(date +%s%N)
        marke DRUCK "$fall" "$nr"
        env LC_ALL=C xdotool "${befehl[@]}"
        bis "$beginn" "$abstand_ms"
    done
}

# paare CASE COUNT GAP_MS HOLD_MS KEY [MODIFIER...]: COUNT times two presses GAP_MS apart, the second while the
# paste of the first still holds the clipboard, so it has to wait for it; then time for both pastes.
paare() {
    local fall=$1 anzahl=$2 luecke=$3 nr beginn
    shift 3
    tastenbefehl "$@"
    druecke_gesamt=$((druecke_gesamt + 2 * anzahl))
    for ((nr = 1; nr <= anzahl; nr++)); do
        beginn=$(date +%s%N)
        marke DRUCK "$fall" "$nr"
        env LC_ALL=C xdotool "${befehl[@]}"
        bis "$beginn" "$luecke"
        env LC_ALL=C xdotool "${befehl[@]}"
        bis "$beginn" $((2 * abstand_ms))
    done
}

druecke_gesamt=0
fehlerzahl=0
# auswerten CASE NAME VK COUNT [je=N] [eigenes=1]
auswerten() {
    local weitere=() a
    for a in "${@:5}"; do
        weitere+=(-v "$a")
    done
    env LC_ALL=C awk -v fall="$1" -v name="$2" -v vk="$3" -v anzahl="$4" "${weitere[@]}" \
        -f "$hier/hotkey.awk" "$protokoll" || fehlerzahl=$((fehlerzahl + 1))
}

abschluss() {
    # A weight between the presses, one no press asked for, escapes the judging press by press; each weight
    # brings exactly one comma, so the commas in the final text count them all.
    local endtext gewichte
    endtext=$(grep ' TEXT ' "$protokoll" | tail -n1 | cut -d' ' -f3-)
    gewichte=$(printf '%s' "$endtext" | tr -cd ',' | wc -c)
    echo "Im Ziel am Ende: $gewichte Gewichte für $druecke_gesamt Drücke"
    if [ "$gewichte" -ne "$druecke_gesamt" ]; then
        echo "FEHLER: $gewichte Gewichte im Text des Ziels für $druecke_gesamt Drücke"
        fehlerzahl=$((fehlerzahl + 1))
    fi
    [ "$fehlerzahl" -eq 0 ] || scheitern "$fehlerzahl Fälle mit Fehlern"
    echo "PASSED"
    exit 0
}

ziel_starten

if [ "$art" = altgr ]; then
    # What wine makes of the key first: Windows reports AltGr as right Alt (vk A5, scan 38, extended) with a
    # left Ctrl of its own (scan 21D) beside it.
    ziel_nach_vorn
    vorher=$(zielzeilen)
    # By key code: 108 is the key right of the space bar; X's layout also puts ISO_Level3_Shift on 92, a key no
    # keyboard has, and xdotool would take that one.
    env LC_ALL=C xdotool keydown --delay 0 108 sleep 0.05 keyup --delay 0 108
    ziel_warten_auf 'TASTE \^ .*' 5 "$vorher" || scheitern "AltGr kam beim Ziel nicht an"
    gesehen=$(tail -n "+$((vorher + 1))" "$protokoll" | grep ' TASTE v ' | cut -d' ' -f4- | paste -sd';')
    if ! tail -n "+$((vorher + 1))" "$protokoll" | grep -q ' TASTE v vk=A5 scan=38 flags=1$'; then
        echo "SKIPPED: wine meldet AltGr (ISO_Level3_Shift auf dem deutschen Layout von X) als \"$gesehen\"," \
            "nicht als rechtes Alt (vk=A5 scan=38 erweitert) mit Windows' eigenem linken Strg (scan=21D):" \
            "AltGr+Y so nur unter Windows; rechtes Alt+Y prüft windows_hotkey"
        exit 0
    fi
    tail -n "+$((vorher + 1))" "$protokoll" | grep -q ' TASTE v vk=A2 scan=21D ' ||
        echo "Hinweis: wine fügt AltGr kein linkes Strg (scan 21D) bei, wie Windows es tut"
    gramura_starten 62
    reihe altgr_x 3 30 y 108
    gramura_beenden
    auswerten altgr_x "AltGr+Y (ISO_Level3_Shift)" 59 3 eigenes=1
    abschluss
fi

gramura_starten 36 # STR - Y
reihe strg_y_30 20 30 y Control_L
reihe strg_y_150 20 150 y Control_L
paare strg_y_paar 3 300 30 y Control_L
gramura_beenden

gramura_starten 39 # ALT - B
reihe alt_b 3 30 b Alt_L
# The check on an open menu must be able to fail: a lone Alt tap does open the target's menu.
vorher=$(zielzeilen)
marke KONTROLLE alt
env LC_ALL=C xdotool keydown --delay 0 Alt_L sleep 0.05 keyup --delay 0 Alt_L
ziel_warten_auf "MENUE auf" 3 "$vorher" ||
    scheitern "Kontrolle: ein einzelnes Alt öffnet das Menü des Ziels nicht, die Prüfung darauf sähe nichts"
env LC_ALL=C xdotool key Escape
ziel_warten_auf "MENUE zu" 3 "$vorher" || scheitern "Kontrolle: das Menü des Ziels schließt auf Escape nicht"
gramura_beenden

gramura_starten 4 # F5
reihe f5 3 30 F5
reihe umschalt_f5 2 30 F5 Shift_L
gramura_beenden

gramura_starten 62 # ALT - Y, pressed with AltGr
reihe altgr_y 3 30 y Alt_R
gramura_beenden

auswerten strg_y_30 "Strg+Y 30 ms" 59 20
auswerten strg_y_150 "Strg+Y 150 ms" 59 20
auswerten strg_y_paar "Strg+Y 30 ms, zweimal in 300 ms" 59 3 je=2
auswerten alt_b "Alt+B" 42 3
auswerten f5 "F5" 74 3
auswerten umschalt_f5 "Umschalt+F5" 74 2
auswerten altgr_y "AltGr+Y (rechtes Alt)" 59 3
echo "AltGr hier als rechtes Alt, ohne Windows' eigenes linkes Strg (scan 21D), das wine nicht beifügt;" \
    "AltGr wie X es hat: windows_hotkey_altgr"
abschluss
