#!/bin/bash
# Makes the wine prefix that every test of the Windows program starts from (as hard-linked copies): a fresh
# 64-bit prefix in German, and Liberation Sans where the program asks for the faces Windows brings (MS Sans Serif,
# Arial, Arial Narrow), which Debian's wine lacks.  Usage: vorlage.sh TARGET_FOLDER
#
# Why it takes more than copying the fonts and naming substitutes:
#  - Qt 6.8 draws through DirectWrite, and wine's DirectWrite knows only the font files listed under
#    HKLM\...\CurrentVersion\Fonts; a file merely copied into windows\Fonts reaches GDI, not Qt.
#  - DirectWrite has no substitutes: FontSubstitutes and wine's Fonts\Replacements serve GDI (message boxes,
#    wine's own dialogs), and the family list Qt reads (the typographic collection) leaves wine's replacements
#    out. Qt, finding no "Arial", fell back to the first family it had, a serif one (C059). So the prefix gets
#    copies of Liberation Sans and Liberation Sans Narrow whose name tables say Arial and Arial Narrow, under
#    the file names Windows uses. "MS Sans Serif" needs no copy: the program itself maps it to Liberation Sans.
#  - Wine takes the user's locale from the Unix one on every start and overwrites the registry's with it, so a
#    German "Locale" value lasted only until the next start; LC_ALL=de_DE.UTF-8 (wine_deutsch) is what holds.
. "$(dirname "$0")/wine_umgebung.sh"
windows_oder_auslassen
wine_deutsch
ziel=$1
rm -rf "$ziel"
mkdir -p "$(dirname "$ziel")"
export WINEPREFIX="$ziel"
env -u DISPLAY timeout 300 wineboot -i >/dev/null 2>&1 || fehlschlag "wineboot -i"
wineserver -w

liberation=/usr/share/fonts/truetype/liberation
[ -f "$liberation/LiberationSans-Regular.ttf" ] || fehlschlag "fonts-liberation fehlt"
schriften="$ziel/drive_c/windows/Fonts"
mkdir -p "$schriften"

# umbenennen OLD NEW SOURCE TARGET [SOURCE TARGET...]: OLD becomes NEW in each font's name table; outlines, metrics
# and the licence records stay as they are. Without LC_ALL: a pyenv shim would be a bash that warns about it.
umbenennen() {
    env -u LC_ALL python3 - "$@" <<'PY'
import struct, sys

def umbenennen(quelle, ziel, alt, neu):
    daten = open(quelle, 'rb').read()
    anzahl = struct.unpack('>H', daten[4:6])[0]
    tabellen = []
    for i in range(anzahl):
        tag, _, ort, laenge = struct.unpack('>4sIII', daten[12 + 16 * i:28 + 16 * i])
        tabellen.append([tag, daten[ort:ort + laenge]])

    def pruefsumme(b):
        b += b'\0' * (-len(b) % 4)
        return sum(struct.unpack('>%dI' % (len(b) // 4), b)) & 0xFFFFFFFF

    for tabelle in tabellen:
        if tabelle[0] == b'name':
            name = tabelle[1]
            _, zahl, anfang = struct.unpack('>HHH', name[:6])
            eintraege, texte = [], b''
            for i in range(zahl):
                plattform, kodierung, sprache, nummer, laenge, ort = struct.unpack('>6H', name[6 + 12 * i:18 + 12 * i])
                text = name[anfang + ort:anfang + ort + laenge]
                # 0, 7, 13, 14: copyright, trademark, licence and its address stay word for word.
                if nummer not in (0, 7, 13, 14):
                    zeichensatz = 'utf-16-be' if plattform in (0, 3) else 'latin-1'
                    s = text.decode(zeichensatz).replace(alt, neu).replace(alt.replace(' ', ''), neu.replace(' ', ''))
                    text = s.encode(zeichensatz)
                eintraege.append(struct.pack('>6H', plattform, kodierung, sprache, nummer, len(text), len(texte)))
                texte += text
            tabelle[1] = struct.pack('>HHH', 0, zahl, 6 + 12 * zahl) + b''.join(eintraege) + texte
        elif tabelle[0] == b'head':
            tabelle[1] = tabelle[1][:8] + b'\0\0\0\0' + tabelle[1][12:]

    verzeichnis, rumpf, ort, kopf = b'', b'', 12 + 16 * anzahl, None
    for tag, inhalt in tabellen:
        if tag == b'head':
            kopf = ort
        verzeichnis += struct.pack('>4sIII', tag, pruefsumme(inhalt), ort, len(inhalt))
        inhalt += b'\0' * (-len(inhalt) % 4)
        rumpf += inhalt
        ort += len(inhalt)
    schrift = bytearray(daten[:12] + verzeichnis + rumpf)
    struct.pack_into('>I', schrift, kopf + 8, (0xB1B0AFBA - pruefsumme(bytes(schrift))) & 0xFFFFFFFF)
    open(ziel, 'wb').write(schrift)

alt, neu = sys.argv[1:3]
for i in range(3, len(sys.argv), 2):
    umbenennen(sys.argv[i], sys.argv[i + 1], alt, neu)
PY
}

# Liberation's file, the file name Windows gives its Arial twin, the face as the registry names it.
liste='LiberationSans-Regular.ttf|arial.ttf|Sans
LiberationSans-Bold.ttf|arialbd.ttf|Sans Bold
LiberationSans-Italic.ttf|ariali.ttf|Sans Italic
LiberationSans-BoldItalic.ttf|arialbi.ttf|Sans Bold Italic
LiberationSansNarrow-Regular.ttf|arialn.ttf|Sans Narrow
LiberationSansNarrow-Bold.ttf|arialnb.ttf|Sans Narrow Bold
LiberationSansNarrow-Italic.ttf|arialni.ttf|Sans Narrow Italic
LiberationSansNarrow-BoldItalic.ttf|arialnbi.ttf|Sans Narrow Bold Italic'
paare=()
while IFS='|' read -r original windows name; do
    cp "$liberation/$original" "$schriften/$original" || fehlschlag "$original fehlt"
    paare+=("$liberation/$original" "$schriften/$windows")
done <<<"$liste"
umbenennen "Liberation Sans" "Arial" "${paare[@]}" || fehlschlag "die Arial-Kopien von Liberation Sans"

reg=$(mktemp)
{
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts]\r\n'
    while IFS='|' read -r original windows name; do
        printf '"Liberation %s (TrueType)"="%s"\r\n' "$name" "$original"
        printf '"Arial%s (TrueType)"="%s"\r\n' "${name#Sans}" "$windows"
    done <<<"$liste"
    # For GDI: wine's message boxes and dialogs ask for these.
    printf '\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n'
    for name in "MS Sans Serif" "Microsoft Sans Serif" "Segoe UI" "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2"; do
        printf '"%s"="Liberation Sans"\r\n' "$name"
    done
} >"$reg"
env -u DISPLAY wine regedit /S "$(winpfad "$reg")" >/dev/null 2>&1 || fehlschlag "regedit"
wineserver -w
rm -f "$reg"
[ -f "$ziel/system.reg" ] || fehlschlag "kein system.reg in $ziel"
grep -q '^"LocaleName"="de-DE"' "$ziel/user.reg" || fehlschlag "das Präfix ist nicht deutsch eingestellt"
echo "Vorlage $ziel: $(du -sh "$ziel" | cut -f1)"
