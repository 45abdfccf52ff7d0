#!/usr/bin/env bash
# Cross-builds the Windows program on Debian 12 and lays it out:
#   build-windows/deploy/                       runnable folder: gramura.exe with every DLL and plugin it loads
#   build-windows/gramura-<version>-win64.exe   installer (NSIS)
# Installs what is missing (as root, or through sudo). Qt for Windows comes from /opt/qt-6.8.0-windows, or is
# unpacked there from the tarball that QT_WINDOWS_TARBALL names.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
qt=/opt/qt-6.8.0-windows
build="$here/build-windows"

if [ ! -x "$qt/mingw/bin/qt-cmake" ]; then
    if [ -z "${QT_WINDOWS_TARBALL:-}" ] || [ ! -f "$QT_WINDOWS_TARBALL" ]; then
        echo "scripts/windows.sh: Qt 6.8 für Windows fehlt: weder $qt noch QT_WINDOWS_TARBALL=<qt-6.8.0-windows.tar.xz> gegeben"
        exit 1
    fi
fi

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
missing=()
for pkg in cmake ninja-build g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 nsis xz-utils \
    qt6-translations-l10n; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if [ ! -x "$qt/mingw/bin/qt-cmake" ]; then
    echo "Unpacking $QT_WINDOWS_TARBALL"
    $sudo tar -C / -xf "$QT_WINDOWS_TARBALL"
fi

# The build runs two of its own programs (the template zel.neu, the icon) under wine, in a prefix of its own.
export WINEPREFIX="$build/wine-build"
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPATH="Z:${qt//\//\\}\\mingw\\bin;Z:\\usr\\lib\\gcc\\x86_64-w64-mingw32\\12-posix;Z:\\usr\\x86_64-w64-mingw32\\lib"
export QT_PLUGIN_PATH="Z:${qt//\//\\}\\mingw\\plugins" QT_QPA_PLATFORM=offscreen
unset DISPLAY WAYLAND_DISPLAY

"$qt/mingw/bin/qt-cmake" -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGRAMURA_WERROR=ON \
    -DGRAMURA_BUILD_TESTS=OFF -DGRAMURA_BUILD_BENCH=OFF -DCMAKE_CROSSCOMPILING_EMULATOR=wine >/dev/null
cmake --build "$build" -j"$(nproc)"

# The runnable folder: what the installer installs, and the template beside the program as well, so that
# the folder also runs from anywhere (a copy on a stick keeps its records beside itself).
rm -rf "$build/deploy"
cmake --install "$build" --prefix "$build/deploy" >/dev/null
cp "$build/deploy/share/gramura/zel.neu" "$build/deploy/zel.neu"
cmake -DORDNER="$build/deploy" -DOBJDUMP=x86_64-w64-mingw32-objdump -P "$here/cmake/PeImporte.cmake"
# Without them Qt's dialogs and the command line's help would speak English.
for qm in qtbase_de.qm qtserialport_de.qm; do
    [ -s "$build/deploy/translations/$qm" ] || { echo "scripts/windows.sh: translations/$qm fehlt im Programmordner"; exit 1; }
done

cpack --config "$build/CPackConfig.cmake" -B "$build" >/dev/null
rm -rf "$build/_CPack_Packages"
wineserver -k >/dev/null 2>&1 || true
ls "$build"/gramura-*-win64.exe
