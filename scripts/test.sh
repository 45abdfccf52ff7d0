#!/usr/bin/env bash
# Sets up, builds everything and runs the whole test suite (X11 tests under their own Xvfb). Where Qt for
# Windows is at hand (/opt/qt-6.8.0-windows, or the tarball QT_WINDOWS_TARBALL names), the Windows program is
# cross-built too and its tests run under wine; otherwise they report themselves skipped.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
cmake --build "$here/build" -j"$(nproc)"
if [ -x /opt/qt-6.8.0-windows/mingw/bin/qt-cmake ] || [ -f "${QT_WINDOWS_TARBALL:-}" ]; then
    "$here/scripts/windows.sh"
else
    echo "Windows-Programm nicht gebaut: Qt 6.8 für Windows fehlt (QT_WINDOWS_TARBALL=<qt-6.8.0-windows.tar.xz>); die Tests windows_* melden sich als ausgelassen"
fi
ctest --preset default -j"$(nproc)" "$@"
