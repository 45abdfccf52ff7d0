#!/usr/bin/env bash
# Sets up, builds everything and runs the whole test suite (X11 tests under their own Xvfb).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
cmake --build "$here/build" -j"$(nproc)"
ctest --preset default -j"$(nproc)" "$@"
