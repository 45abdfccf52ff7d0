#!/bin/bash
# What Windows reads from gramura.exe itself, before it runs a line of it: built for the window (no console
# opens), asking for no more rights than the user has (manifest, asInvoker), the program icon and its version
# information; and the runnable folder, with the central store's PostgreSQL driver and the DLLs it loads, and the
# installer are there.
. "$(dirname "$0")/wine_umgebung.sh"
windows_oder_auslassen
exe="$WIN_DEPLOY/gramura.exe"
objdump=$(command -v x86_64-w64-mingw32-objdump) || fehlschlag "x86_64-w64-mingw32-objdump fehlt"

"$objdump" -p "$exe" | grep -Eq 'Subsystem[[:space:]]+00000002' || fehlschlag "gramura.exe ist kein Programm für das Fenster (Subsystem nicht 2)"

python3 - "$exe" "$(sed -n 's/^project(Gramura VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")" <<'PY' || exit 1
import re, sys
daten = open(sys.argv[1], 'rb').read()
version = sys.argv[2]
def utf16(t): return t.encode('utf-16-le')
fehler = []
manifest = re.search(rb'<assembly.*?</assembly>', daten, re.S)
if not manifest or b'level="asInvoker"' not in manifest.group(0):
    fehler.append('kein Manifest mit asInvoker')
for text in ('VELKOR ZEL Desktop', 'gramura.exe', version):
    if utf16(text) not in daten:
        fehler.append('Versionsangabe ohne %r' % text)
# The icon's images are PNG streams in the resources; the program's own code draws no PNG.
if daten.count(b'\x89PNG\r\n\x1a\n') < 4:
    fehler.append('kein Programmsymbol mit seinen Größen')
if fehler:
    print('FAILED: ' + '; '.join(fehler))
    sys.exit(1)
PY

for datei in platforms/qwindows.dll sqldrivers/qsqlite.dll zel.neu Qt6Core.dll libstdc++-6.dll libwinpthread-1.dll \
    translations/qtbase_de.qm translations/qtserialport_de.qm sqldrivers/qsqlpsql.dll libpq.dll libssl-3-x64.dll \
    libcrypto-3-x64.dll libintl-9.dll libiconv-2.dll; do
    [ -f "$WIN_DEPLOY/$datei" ] || fehlschlag "$datei fehlt im Ordner $WIN_DEPLOY"
done
ls "$WIN_BUILD"/gramura-*-win64.exe >/dev/null 2>&1 || fehlschlag "kein Installationsprogramm gramura-<Version>-win64.exe in $WIN_BUILD"
echo "PASSED"
