#!/bin/bash
# Makes the wine prefix that every test of the Windows program starts from (as hard-linked copies): a fresh
# 64-bit prefix, German as the user's language, and for the faces the program asks for (MS Sans Serif, Arial,
# Microsoft Sans Serif, Segoe UI, Arial Narrow) their metric twins from Liberation, which wine lacks and would
# otherwise replace with a serif face.  Usage: vorlage.sh TARGET_FOLDER
. "$(dirname "$0")/wine_umgebung.sh"
windows_oder_auslassen
ziel=$1
rm -rf "$ziel"
mkdir -p "$(dirname "$ziel")"
export WINEPREFIX="$ziel"
env -u DISPLAY timeout 300 wineboot -i >/dev/null 2>&1 || fehlschlag "wineboot -i"
wineserver -w

liberation=/usr/share/fonts/truetype/liberation
[ -f "$liberation/LiberationSans-Regular.ttf" ] || fehlschlag "fonts-liberation fehlt"
cp "$liberation"/LiberationSans-*.ttf "$liberation"/LiberationSansNarrow-*.ttf "$ziel/drive_c/windows/Fonts/"
reg=$(mktemp)
{
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n'
    for name in "MS Sans Serif" "Microsoft Sans Serif" "Arial" "Segoe UI" "MS Shell Dlg" "MS Shell Dlg 2"; do
        printf '"%s"="Liberation Sans"\r\n' "$name"
    done
    printf '"Arial Narrow"="Liberation Sans Narrow"\r\n'
    printf '\r\n[HKEY_CURRENT_USER\\Control Panel\\International]\r\n"Locale"="00000407"\r\n"LocaleName"="de-DE"\r\n'
} >"$reg"
env -u DISPLAY wine regedit /S "$(winpfad "$reg")" >/dev/null 2>&1 || fehlschlag "regedit"
wineserver -w
rm -f "$reg"
[ -f "$ziel/system.reg" ] || fehlschlag "kein system.reg in $ziel"
echo "Vorlage $ziel: $(du -sh "$ziel" | cut -f1)"
