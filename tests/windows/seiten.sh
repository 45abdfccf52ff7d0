#!/bin/bash
# gramura.exe under wine shows its five pages, each by a click on its tab: the window is captioned
# "VELKOR ZEL Desktop", every page is drawn (not blank), differs from the one before, and its tab is the one in
# front. One picture of the window per page goes to $GRAMURA_WINDOWS_BILDER/seite-<page>-100.png.
. "$(dirname "$0")/wine_umgebung.sh"
windows_oder_auslassen
for werkzeug in xwd xwdtopnm pamdepth pnmcut pnmtoplainpnm pnmtopng ppmhist; do
    command -v "$werkzeug" >/dev/null 2>&1 || fehlschlag "$werkzeug fehlt (x11-apps, netpbm)"
done
prefix_bereiten
xvfb_starten

bilder=${GRAMURA_WINDOWS_BILDER:-$WIN_SCRATCH/bilder}
mkdir -p "$bilder"
daten="$WIN_SCRATCH/daten"
mkdir -p "$daten"
wine "$WIN_DEPLOY/gramura.exe" --demo --data-dir "$(winpfad "$daten")" >"$WIN_SCRATCH/aus.txt" 2>&1 &
programm=$!
fenster=$(fenster_warten "VELKOR ZEL Desktop" 90) || fehlschlag "kein Fenster \"VELKOR ZEL Desktop\" nach 90 s"
titel=$(xdotool getwindowname "$fenster")
[ "$titel" = "VELKOR ZEL Desktop" ] || fehlschlag "Fenstertitel \"$titel\""

# The window as a PPM of 8 bits per channel; without a window manager its X geometry is the client area.
fensterbild() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$fenster")"
    xwd -root -silent -display "$DISPLAY" | xwdtopnm 2>/dev/null | pamdepth 255 2>/dev/null \
        | pnmcut -left "$X" -top "$Y" -width "$WIDTH" -height "$HEIGHT" >"$1"
    fenster_x=$X fenster_y=$Y fenster_breite=$WIDTH
}

# Drawn means text on it: some hundreds of dark pixels and more than a handful of colours.
gezeichnet() {
    ppmhist -noheader "$1" | awk '{ farben++ } $4 < 100 { dunkel += $5 } END { exit !(farben >= 8 && dunkel >= 200) }'
}

# The tabs, one line each: "left right top" in window pixels. A tab's sides are the grey vertical lines above
# the page's frame (the first grey line running over most of the width and out to its right side), at least
# half as tall as the strip;
# the tab in front is drawn taller, so its sides begin higher up.
reiter() {
    pnmcut -left 0 -top 0 -width "$fenster_breite" -height 80 "$1" | pnmtoplainpnm | awk '
        NR == 1 { next }
        { for (i = 1; i <= NF; i++) zahl[n++] = $i }
        END {
            breite = zahl[0]; hoehe = zahl[1]; p = 3
            for (y = 0; y < hoehe && rahmen == ""; y++) {
                linie = 0
                for (x = 0; x < breite; x++) {
                    r = zahl[p]; g = zahl[p + 1]; b = zahl[p + 2]; p += 3
                    v = (r + g + b) / 3
                    grau[y, x] = v >= 110 && v <= 215 && r - g < 16 && g - r < 16 && b - g < 16 && g - b < 16
                    linie += grau[y, x]
                }
                # The tab in front opens the line to its page; the top edges of the tabs end well short of the
                # right side, which the line reaches.
                rechts_grau = 1
                for (x = int(0.8 * breite); x < int(0.95 * breite); x++) rechts_grau = rechts_grau && grau[y, x]
                if (linie >= 0.75 * breite && rechts_grau) rahmen = y
            }
            if (rahmen == "") exit 1
            for (x = 0; x < breite; x++) {
                lauf = 0
                for (y = 0; y < rahmen; y++) {
                    if (!grau[y, x]) { lauf = 0; continue }
                    if (++lauf > bester[x]) { bester[x] = lauf; oben[x] = y - lauf + 1 }
                }
            }
            k = 0
            for (x = 0; x < breite; x++) {
                if (bester[x] < 0.5 * rahmen) continue
                if (k > 0 && x - rechts[k - 1] <= 2) { rechts[k - 1] = x; rtop[k - 1] = oben[x]; continue }
                links[k] = x; ltop[k] = oben[x]; rechts[k] = x; rtop[k] = oben[x]; k++
            }
            for (i = 0; i + 1 < k; i++)
                print rechts[i], links[i + 1], (rtop[i] > ltop[i + 1] ? rtop[i] : ltop[i + 1]), rahmen
        }'
}

# The number (1-based) of the tab in front, if exactly one begins higher than all others.
vorne() {
    reiter "$1" | awk '
        { top[NR] = $3 }
        END {
            for (i = 1; i <= NR; i++) {
                if (min == "" || top[i] < min) { min = top[i]; wer = i; gleich = 0 }
                else if (top[i] == min) gleich = 1
            }
            if (wer == "" || gleich) exit 1
            print wer
        }'
}

# Fails, and keeps the window as it was for a look.
aufgeben() {
    pnmtopng "$bild" >"$bilder/seite-fehler.png" 2>/dev/null
    fehlschlag "$* (Bild: $bilder/seite-fehler.png)"
}

# Clicks tab $1 and waits until it is the one in front, then for the page to be painted after it.
klicken() {
    local links rechts oben rahmen ende
    read -r links rechts oben rahmen <<<"${reiterliste[$(($1 - 1))]}"
    xdotool mousemove $((fenster_x + (links + rechts) / 2)) $((fenster_y + (oben + rahmen) / 2)) click 1
    ende=$(($(date +%s) + 10))
    until fensterbild "$bild" && [ "$(vorne "$bild")" = "$1" ]; do
        [ "$(date +%s)" -lt "$ende" ] ||
            aufgeben "nach dem Klick auf \"${seiten[$(($1 - 1))]}\" ist ein anderer Reiter vorn"
        sleep 0.3
    done
    sleep 0.7
    fensterbild "$bild"
}

seiten=(Gewichtsanzeige Einstellungen Aufzeichnung Info Verlauf)
bild="$WIN_SCRATCH/seite.ppm"

# Until the first page is drawn: wine maps the window before Qt has painted it.
ende=$(($(date +%s) + 30))
until fensterbild "$bild" && gezeichnet "$bild" && [ "$(vorne "$bild")" = 1 ]; do
    [ "$(date +%s)" -lt "$ende" ] ||
        aufgeben "die erste Seite ist nach 30 s nicht gezeichnet oder ihr Reiter nicht vorn"
    sleep 0.5
done
sleep 1
fensterbild "$bild"
mapfile -t reiterliste < <(reiter "$bild")
[ "${#reiterliste[@]}" -eq "${#seiten[@]}" ] ||
    aufgeben "${#reiterliste[@]} Reiter gefunden statt ${#seiten[@]}: ${reiterliste[*]}"

for nummer in 1 2 3 4 5; do
    seite=${seiten[$((nummer - 1))]}
    if [ "$nummer" -gt 1 ]; then
        klicken "$nummer"
        cmp -s "$bild" "$WIN_SCRATCH/vorher.ppm" && aufgeben "\"$seite\" sieht aus wie die Seite davor"
    fi
    gezeichnet "$bild" || aufgeben "das Fenster ist leer auf \"$seite\""
    name=$(printf '%s' "$seite" | tr '[:upper:]' '[:lower:]')
    pnmtopng "$bild" >"$bilder/seite-$name-100.png" || fehlschlag "pnmtopng"
    echo "seite-$name-100.png"
    cp "$bild" "$WIN_SCRATCH/vorher.ppm"
done
# The first tab must answer a click too, not only be in front from the start.
klicken 1
cmp -s "$bild" "$WIN_SCRATCH/vorher.ppm" && aufgeben "zurück auf \"${seiten[0]}\" bleibt \"${seiten[4]}\" stehen"
gezeichnet "$bild" || aufgeben "das Fenster ist leer zurück auf \"${seiten[0]}\""

# Alt+F4 as keys typed into the window: wine turns it into the close request the program ends on.
xdotool windowfocus --sync "$fenster" key alt+F4
fenster_weg "VELKOR ZEL Desktop" 30 || fehlschlag "das Fenster bleibt nach Alt+F4"
ende_warten "$programm" 20 "dem Schließen"
echo "PASSED"
