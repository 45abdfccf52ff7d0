#!/usr/bin/env bash
# Sets up, builds and starts the program with its built-in indicator simulator.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
cmake --build "$here/build" --target gramura dbtemplate_zel_neu 2>/dev/null || cmake --build "$here/build" --target gramura
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "gramura: no display found (DISPLAY and WAYLAND_DISPLAY are unset); run this in a desktop session." >&2
    exit 1
fi
exec "$here/build/gramura" --demo "$@"
