#!/usr/bin/env bash
# Builds Ombrix and starts it in a Wine desktop: on $DISPLAY when it is set, otherwise on a private Xvfb display, in
# which case build/run/screenshot.png shows the desktop after start-up. Runs until Ctrl+C, or for N seconds.
#   scripts/run.sh [--seconds N]
set -u -o pipefail
source "$(dirname "$0")/lib/setup.sh"
source "$ombrix_root/scripts/lib/wine.sh"

seconds=
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) seconds=${2:?--seconds needs a number}; shift 2 ;;
    -h|--help) sed -n '2,4p' "$0"; exit 0 ;;
    *) ombrix_log "unknown argument: $1"; exit 2 ;;
  esac
done

ombrix_install_packages || exit 1
ombrix_build_preset windows || exit 1

run_dir="$ombrix_build/run"
mkdir -p "$run_dir"
ombrix_wine_start "$run_dir/wineprefix" || exit 1

stop() {
  trap - INT TERM EXIT
  # A polite close first (WM_CLOSE, so that Ombrix saves its state), then the whole Wine session.
  wine taskkill /im Ombrix.exe </dev/null >/dev/null 2>&1
  sleep 2
  ombrix_wine_stop
}
trap stop EXIT
trap 'exit 0' INT TERM

# The desktop gets Wine's shell (a taskbar with a Start button), the part of the desktop Ombrix attaches to.
wine reg add 'HKCU\Software\Wine\Explorer\Desktops\Ombrix' /v EnableShell /t REG_DWORD /d 1 /f </dev/null >/dev/null 2>&1

ombrix_log "starting Ombrix on DISPLAY=$DISPLAY"
wine explorer "/desktop=Ombrix,1280x800" "$ombrix_build/windows/bin/Ombrix.exe" </dev/null >"$run_dir/wine.log" 2>&1 &

sleep 8
if ! pgrep -f 'Ombrix\.exe' >/dev/null; then
  ombrix_log "Ombrix did not start or ended at once; see $run_dir/wine.log"
  exit 1
fi
if [ -n "${OMBRIX_OWN_DISPLAY:-}" ]; then
  import -display "$DISPLAY" -window root "$run_dir/screenshot.png" 2>/dev/null &&
    ombrix_log "screenshot of the desktop after start-up: $run_dir/screenshot.png"
fi

if [ -n "$seconds" ]; then
  ombrix_log "running for $seconds s"
  sleep "$seconds"
else
  ombrix_log "running; Ctrl+C ends Ombrix"
  while :; do sleep 1; done
fi
