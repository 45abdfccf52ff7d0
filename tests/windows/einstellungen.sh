#!/bin/bash
# The settings of the page "Einstellungen" in the registry, as the operator sets them with mouse and keyboard:
# each control writes its own value under HKCU\Software\VB and VBA Program Settings\Gramura\frm_Settings; after
# a restart (the registry saved by wineserver and read anew) each control shows what it wrote; and a value under
# HKLM\Software\Gramura\frm_Settings counts where the user has none (in the registry's 64-bit view, then in its
# 32-bit one), while the user's own wins.
. "$(dirname "$0")/wine_umgebung.sh"
windows_oder_auslassen
prefix_bereiten
xvfb_starten
# A German Windows writes numbers with a decimal comma; a prefix made under another locale keeps that one's.
for wert in "sDecimal=," "sThousand=."; do
    wine reg add 'HKCU\Control Panel\International' /v "${wert%%=*}" /t REG_SZ /d "${wert#*=}" /f >/dev/null 2>&1 ||
        fehlschlag "reg add $wert"
done

benutzer='HKCU\Software\VB and VBA Program Settings\Gramura\frm_Settings'
maschine='HKLM\Software\Gramura\frm_Settings'
bilder="${GRAMURA_WINDOWS_BILDER:-$WIN_SCRATCH}"
mkdir -p "$bilder"

# The design places controls in twips, 15 to a pixel at 96 dpi. The pages start below the tab strip: the strip
# at (60, 60) in the window, a page 45 twips in and 420 down from it.
px() { echo $((($1 + 7) / 15)); }
seite_x=105
seite_y=480
# Within the page "Einstellungen" the frame "Einstellungen zur Aufzeichnung" stands at (60, 900), its rows from
# 780 down, 300 apart and 315 high.
aufzeichnung_x=$((seite_x + 60))
aufzeichnung_y=$((seite_y + 900))
# Row k's box: its cell at (links + 420, 780 + 300 k + 60), 285 x 195; row k's field at (feld_links, ...), 1395 wide.
kasten() { # kasten LINKS ZEILE -> "x y"
    echo "$(px $((aufzeichnung_x + $1 + 420 + 142))) $(px $((aufzeichnung_y + 780 + 300 * $2 + 60 + 97)))"
}
feld() { # feld LINKS ZEILE -> "x y"
    echo "$(px $((aufzeichnung_x + $1 + 697))) $(px $((aufzeichnung_y + 780 + 300 * $2 + 157)))"
}
# Left group (1 Stunde ... 1 Minute): boxes at 1560, fields at 2640; right group (30 ... 1 Sekunden): 5640, 6720.
chk1h=$(kasten 1560 0)
chk1s=$(kasten 5640 5)
chk10s=$(kasten 5640 2)
txt1h=$(feld 2640 0)
txt1m=$(feld 2640 5)
# The tab captions' widths follow the face; these points lie inside each tab with either face wine may draw.
reiter_einstellungen="184 19"

fenster=""
gramura=""
starten() {
    wine "$WIN_DEPLOY/gramura.exe" --demo --data-dir "$(winpfad "$1")" >>"$WIN_SCRATCH/aus.txt" 2>&1 &
    gramura=$!
    fenster=$(fenster_warten "VELKOR ZEL Desktop" 90) || fehlschlag "kein Fenster nach 90 s ($(cat "$WIN_SCRATCH/aus.txt"))"
    sleep 1
}
# Ended as the operator ends it, with "Beenden" (60, 4410 in the window at its design size); an X window
# destroyed from outside would leave wine's window and the program behind.
beenden_knopf="$(px $((60 + 697))) $(px $((4410 + 187)))"
beenden() {
    klick "$beenden_knopf"
    fenster_weg "VELKOR ZEL Desktop" 30 || fehlschlag "das Fenster bleibt nach „Beenden“"
    local ende=$(($(date +%s) + 30))
    while kill -0 "$gramura" 2>/dev/null; do
        [ "$(date +%s)" -lt "$ende" ] || fehlschlag "gramura.exe läuft 30 s nach „Beenden“ noch"
        sleep 0.3
    done
    wait "$gramura" 2>/dev/null
    # Only wineserver's exit writes the registry to user.reg and system.reg; the next start reads it from there.
    wineserver -w
}
klick() { # klick "X Y"
    # shellcheck disable=SC2086
    xdotool mousemove --window "$fenster" $1 click 1
    sleep 0.4
}
taste() {
    xdotool key --delay 120 "$@"
    sleep 0.3
}
erwarten() { # erwarten KEY NAME VALUE WHAT
    local ist
    ist=$(registerwert_warten "$1" "$2" "$3") && return 0
    bildschirm "$bilder/einstellungen-fehler.png"
    fehlschlag "$4: $2 ist „${ist}“ statt „$3“ (Bild: $bilder/einstellungen-fehler.png)"
}
fehlt() { # fehlt KEY NAME WHAT
    local ist
    ist=$(registerwert "$1" "$2") && fehlschlag "$3: $2 steht schon mit „${ist}“ unter $1"
    return 0
}
# From the field "1 Stunde", Shift+Tab goes back over the six boxes of the left group to the three lists.
zu_den_listen() {
    klick "$txt1h"
    taste shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
}

# 1. Each control writes its own key.
daten="$WIN_SCRATCH/daten"
mkdir -p "$daten"
starten "$daten"
# The one box set by default writes itself back at the start; nothing else is written before it is touched.
erwarten "$benutzer" chk10s 1 "Start ohne Einstellungen"
for name in chk1s chk1h txt1m Port Komma Taste; do
    fehlt "$benutzer" "$name" "Start ohne Einstellungen"
done
klick "$reiter_einstellungen"
klick "$chk1s"
erwarten "$benutzer" chk1s 1 "Kästchen „1 Sekunde“ angeklickt"
klick "$chk10s"
erwarten "$benutzer" chk10s 0 "Kästchen „10 Sekunden“ abgewählt"
klick "$chk1h"
erwarten "$benutzer" chk1h 1 "Kästchen „1 Stunde“ angeklickt"
# A threshold with a decimal, typed as a German operator does; written when the field is left.
klick "$txt1m"
taste ctrl+a
xdotool type --delay 120 "12,5"
taste Tab
erwarten "$benutzer" txt1m "12,5" "Schwelle „1 Minute“ auf 12,5 gesetzt"
# The lists by keyboard, as their pop-ups would take focus and time: COM 3, "Punkt ( . )", the first key.
zu_den_listen
taste Down Down Tab
erwarten "$benutzer" Port 2 "COM-Port auf COM 3 gestellt"
taste Down Tab
erwarten "$benutzer" Komma 1 "Dezimaltrennzeichen auf Punkt gestellt"
taste Home Tab
erwarten "$benutzer" Taste 0 "Funktionstaste auf den ersten Eintrag gestellt"
bildschirm "$bilder/einstellungen-gesetzt.png"
vorher=$(wine reg query "$benutzer" | tr -d '\r' | sort)
beenden
grep -q '^\[Software\\\\VB and VBA Program Settings\\\\Gramura\\\\frm_Settings\]' "$WINEPREFIX/user.reg" ||
    fehlschlag "die Einstellungen stehen nach dem Ende nicht in user.reg"

# 2. After a restart nothing is set back to a default, and each control shows what it wrote: a box clicked
# again writes the opposite of what it showed; a list or field left again writes what it shows, so its value
# is deleted first.
starten "$daten"
nachher=$(wine reg query "$benutzer" | tr -d '\r' | sort)
[ "$vorher" = "$nachher" ] || fehlschlag "der Neustart ändert die Einstellungen: vorher
$vorher
nachher
$nachher"
for name in txt1m Port Komma Taste; do
    wine reg delete "$benutzer" /v "$name" /f >/dev/null 2>&1 || fehlschlag "reg delete $name"
done
klick "$reiter_einstellungen"
bildschirm "$bilder/einstellungen-neustart.png"
klick "$chk1s"
erwarten "$benutzer" chk1s 0 "nach dem Neustart „1 Sekunde“ angeklickt (war es nicht gesetzt?)"
klick "$chk10s"
erwarten "$benutzer" chk10s 1 "nach dem Neustart „10 Sekunden“ angeklickt (war es gesetzt?)"
klick "$chk1h"
erwarten "$benutzer" chk1h 0 "nach dem Neustart „1 Stunde“ angeklickt (war es nicht gesetzt?)"
klick "$txt1m"
taste Tab
# Written with the separator chosen in step 1, the point.
erwarten "$benutzer" txt1m "12.5" "nach dem Neustart die Schwelle „1 Minute“ verlassen"
zu_den_listen
taste Tab Tab Tab
erwarten "$benutzer" Port 2 "nach dem Neustart die Liste COM-Port verlassen"
erwarten "$benutzer" Komma 1 "nach dem Neustart die Liste Dezimaltrennzeichen verlassen"
erwarten "$benutzer" Taste 0 "nach dem Neustart die Liste Funktionstaste verlassen"
beenden

# 3. The machine's values are the defaults: recording every second where the user has set nothing, the key
# from HKLM; the user's own separator wins over the machine's.
wine reg delete 'HKCU\Software\VB and VBA Program Settings\Gramura' /f >/dev/null 2>&1 || fehlschlag "reg delete HKCU"
for wert in chk1s=1 txt1s=0 chk10s=0 Taste=5 Komma=1; do
    wine reg add "$maschine" /v "${wert%%=*}" /t REG_SZ /d "${wert#*=}" /f >/dev/null 2>&1 || fehlschlag "reg add $wert"
done
wine reg add "$benutzer" /v Komma /t REG_SZ /d 0 /f >/dev/null 2>&1 || fehlschlag "reg add Komma"
# From the first box "1 Stunde": back over the six boxes to the list Funktionstaste, then on to the boxes, which
# stores the list's value; back twice to the separator and on, which stores that one.
# listen_verlassen TASTE WHAT_TASTE KOMMA WHAT_KOMMA
listen_verlassen() {
    klick "$txt1h"
    taste shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab Tab
    erwarten "$benutzer" Taste "$1" "$2"
    taste shift+Tab shift+Tab Tab
    erwarten "$benutzer" Komma "$3" "$4"
}

daten2="$WIN_SCRATCH/daten2"
mkdir -p "$daten2"
starten "$daten2"
beginn=$(date +%s)
fehlt "$benutzer" Taste "Start mit Vorgaben unter HKLM"
klick "$reiter_einstellungen"
bildschirm "$bilder/einstellungen-hklm.png"
listen_verlassen 5 "Funktionstaste mit der Vorgabe Taste=5 aus HKLM verlassen" \
    0 "Dezimaltrennzeichen verlassen (HKCU 0, HKLM 1)"
rest=$((beginn + 7 - $(date +%s)))
[ "$rest" -gt 0 ] && sleep "$rest"
beenden
# The default box "10 Sekunden" alone (off here through HKLM) would add at most one row in ten seconds.
zeilen=$(sqlite3 "$daten2/zel.mdb" "select count(*) from Gewichte") || fehlschlag "zel.mdb nicht lesbar"
[ "$zeilen" -ge 4 ] || fehlschlag "mit chk1s=1 unter HKLM nur $zeilen Zeilen in etwa 7 s"
luecke=$(sqlite3 "$daten2/zel.mdb" "select max(strftime('%s', b.Datum) - strftime('%s', a.Datum)) from Gewichte a
    join Gewichte b on b.rowid = (select min(rowid) from Gewichte where rowid > a.rowid)")
[ "${luecke:-9}" -le 2 ] || fehlschlag "mit chk1s=1 unter HKLM liegen bis zu $luecke s zwischen zwei Zeilen"
echo "$zeilen Zeilen im Sekundentakt"

# 4. A roll-out tool running as a 32-bit program writes into the registry's 32-bit view: a key found only there
# counts, one in the 64-bit view counts over it.
wine reg delete 'HKCU\Software\VB and VBA Program Settings\Gramura' /f >/dev/null 2>&1 || fehlschlag "reg delete HKCU"
wine reg delete "$maschine" /v Taste /f /reg:64 >/dev/null 2>&1 || fehlschlag "reg delete Taste (64 Bit)"
for wert in Taste=7 Komma=0; do
    wine reg add "$maschine" /v "${wert%%=*}" /t REG_SZ /d "${wert#*=}" /f /reg:32 >/dev/null 2>&1 ||
        fehlschlag "reg add $wert /reg:32"
done
registerwert "$maschine" Taste >/dev/null && fehlschlag "Taste steht auch in der 64-Bit-Ansicht"
daten3="$WIN_SCRATCH/daten3"
mkdir -p "$daten3"
starten "$daten3"
klick "$reiter_einstellungen"
listen_verlassen 7 "Funktionstaste mit Taste=7 nur in der 32-Bit-Ansicht von HKLM verlassen" \
    1 "Dezimaltrennzeichen verlassen (HKLM 64 Bit 1, 32 Bit 0)"
beenden
echo "PASSED"
