#!/usr/bin/env bash
# Sets up, builds and starts the program with its built-in indicator simulator.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
cmake --build "$here/build" --target gramura
exec "$here/build/gramura" --demo "$@"
