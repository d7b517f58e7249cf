#!/usr/bin/env bash
# Runs every test of Ombrix: the layer order of the includes in src/, the platform-neutral code natively with
# sanitizers, a bounded libFuzzer run of the parsers of files from elsewhere, then the Windows build's unit and system
# tests under Wine. Installs what is missing first. Exits non-zero if anything fails.
#   scripts/test.sh            everything
#   scripts/test.sh -R regex   only the tests whose names match (passed on to CTest)
set -u -o pipefail
source "$(dirname "$0")/lib/setup.sh"
source "$ombrix_root/scripts/lib/wine.sh"
source "$ombrix_root/scripts/lib/fuzz.sh"
source "$ombrix_root/scripts/lib/layers.sh"

ctest_arguments=("$@")
status=0

ombrix_install_packages || exit 1

ombrix_log "layer order of the includes in src/"
ombrix_check_layers || status=1

ombrix_log "native build (platform-neutral code, address and undefined-behaviour sanitizers)"
if ombrix_build_preset native; then
  ctest --preset native -j2 "${ctest_arguments[@]}" || status=1
else
  status=1
fi

ombrix_log "fuzzing the parsers of files from elsewhere"
ombrix_run_fuzzers || status=1

ombrix_log "Windows build (MinGW-w64 cross compiler)"
if ombrix_build_preset windows; then
  trap ombrix_wine_stop EXIT
  ombrix_wine_start "$ombrix_build/windows/wineprefix" || exit 1
  ombrix_log "unit and system tests under Wine (DISPLAY=$DISPLAY)"
  # A Wine process very occasionally fails to start at all (no output, exit at once); such a test gets one more
  # run. A test that fails on its own merits fails both runs.
  ctest --preset windows --repeat until-pass:2 "${ctest_arguments[@]}" || status=1
else
  status=1
fi

exit $status
