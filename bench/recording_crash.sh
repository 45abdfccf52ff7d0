#!/bin/sh
# Crash safety at scale: the recorder is killed 50 times at random moments (CI runs a few).
# Usage: bench/recording_crash.sh [BUILD_DIR] [ROUNDS]
set -eu
build=${1:-build}
GRAMURA_CRASH_RUNDEN=${2:-50} exec ctest --test-dir "$build" -R Crashsicherheit --output-on-failure --timeout 1800
