#!/usr/bin/env bash
# Kills Ombrix 1,000 times (or as many as given) at random moments of its save at close, and checks every time that
# Configuration.qln and History.qln read back whole, old or new. Prints the tool's line; exits non-zero on the first
# damaged file. The test suite does the same 200 times.
#   bench/interrupted_saves.sh [ROUNDS [START]]   (START: the random numbers' start value, to repeat a run)
set -u -o pipefail
source "$(dirname "$0")/../scripts/lib/setup.sh"
source "$ombrix_root/scripts/lib/wine.sh"

ombrix_install_packages || exit 1
ombrix_build_preset windows || exit 1
cmake --build --preset windows --target Ombrix interrupted_saves -- -j2 || exit 1

trap ombrix_wine_stop EXIT
ombrix_wine_start "$ombrix_build/windows/wineprefix" || exit 1
wine "$ombrix_build/windows/bin/interrupted_saves.exe" "${1:-1000}" ${2:+"$2"} </dev/null 2>&1
