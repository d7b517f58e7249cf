#!/usr/bin/env bash
# Builds and runs the benchmarks. Each prints one line per figure:
#   BENCH id=<name> n=<input size> median=<number> unit=<ms|us|MB> target=<number>
# Figures are for comparing runs; nothing here passes or fails on time.
set -u -o pipefail
source "$(dirname "$0")/lib/setup.sh"
source "$ombrix_root/scripts/lib/wine.sh"

ombrix_install_packages || exit 1
ombrix_build_preset windows || exit 1
cmake --build --preset windows --target ombrix_benchmarks -- -j2 || exit 1

benchmarks=$(find "$ombrix_build/windows/bin" -maxdepth 1 -name 'bench_*.exe' | sort)
if [ -z "$benchmarks" ]; then
  ombrix_log "no benchmarks yet"
  exit 0
fi
trap ombrix_wine_stop EXIT
ombrix_wine_start "$ombrix_build/windows/wineprefix" || exit 1
status=0
for benchmark in $benchmarks; do
  case "$benchmark" in
    # Without a window manager every hide of the popup waits for the X server; in a Wine desktop Wine manages the
    # windows itself.
    *bench_endurance.exe) run=(wine explorer /desktop=OmbrixEndurance,1280x800 "$benchmark") ;;
    *) run=(wine "$benchmark") ;;
  esac
  "${run[@]}" </dev/null 2>/dev/null | grep '^BENCH ' || status=1
done
exit $status
