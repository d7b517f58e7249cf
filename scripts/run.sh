#!/usr/bin/env bash
# Builds Ombrix and starts it in a Wine desktop, with a few of Wine's programs in the Start Menu, and opens its popup
# once: on $DISPLAY when it is set, otherwise on a private Xvfb display, in which case build/run/screenshot.png shows
# the popup over the desktop. Runs until Ctrl+C, or for N seconds. --dpi sets the prefix's screen DPI (96 by default).
#   scripts/run.sh [--seconds N] [--dpi 96|120|144|192]
set -u -o pipefail
source "$(dirname "$0")/lib/setup.sh"
source "$ombrix_root/scripts/lib/wine.sh"

seconds=
dpi=96
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) seconds=${2:?--seconds needs a number}; shift 2 ;;
    --dpi) dpi=${2:?--dpi needs a number}; shift 2 ;;
    -h|--help) sed -n '2,5p' "$0"; exit 0 ;;
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
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1

# A Start Menu with something in it: shortcuts to some of Wine's own programs, made once.
programs='C:\users\'"$(id -un)"'\AppData\Roaming\Microsoft\Windows\Start Menu\Programs'
if [ ! -d "$run_dir/wineprefix/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Accessories" ]; then
  wine cmd /c mkdir "$programs\Accessories" "$programs\System Tools" </dev/null >/dev/null 2>&1
  links=()
  for entry in "Accessories\Notepad=C:\windows\notepad.exe" "Accessories\WordPad=C:\windows\system32\write.exe" \
    "Accessories\Clock=C:\windows\system32\clock.exe" "Minesweeper=C:\windows\system32\winemine.exe" \
    "Internet Explorer=C:\windows\system32\iexplore.exe" "File Manager=C:\windows\system32\winefile.exe" \
    "System Tools\Command Prompt=C:\windows\system32\cmd.exe" \
    "System Tools\Registry Editor=C:\windows\regedit.exe" \
    "System Tools\Task Manager=C:\windows\system32\taskmgr.exe" \
    "System Tools\Control Panel=C:\windows\system32\control.exe" \
    "Wine Configuration=C:\windows\system32\winecfg.exe"; do
    links+=("$programs\\${entry%%=*}.lnk" "${entry#*=}")
  done
  wine "$ombrix_build/windows/bin/make_shortcut.exe" "${links[@]}" </dev/null >/dev/null 2>&1 ||
    ombrix_log "the Start Menu's shortcuts could not all be made"
fi

ombrix_log "starting Ombrix on DISPLAY=$DISPLAY"
# Wine's shell has a taskbar but no desktop window ("Progman"), where Ombrix places its desktop hook: a stand-in of
# ours provides it.
wine explorer "/desktop=Ombrix,1280x800" "$ombrix_build/windows/bin/progman_stand_in.exe" </dev/null >/dev/null 2>&1 &
sleep 2
wine explorer "/desktop=Ombrix,1280x800" "$ombrix_build/windows/bin/Ombrix.exe" </dev/null >"$run_dir/wine.log" 2>&1 &

sleep 8
if ! pgrep -f 'Ombrix\.exe' >/dev/null; then
  ombrix_log "Ombrix did not start or ended at once; see $run_dir/wine.log"
  exit 1
fi
# A click on Wine's Start button with the real pointer opens the popup; the helper runs in the Wine desktop, where
# the taskbar is.
wine explorer "/desktop=Ombrix,1280x800" "$ombrix_build/windows/bin/show_popup.exe" start-button </dev/null \
  >/dev/null 2>&1 || ombrix_log "the Start button could not be clicked"
sleep 2
if [ -n "${OMBRIX_OWN_DISPLAY:-}" ]; then
  import -display "$DISPLAY" -window root "$run_dir/screenshot.png" 2>/dev/null &&
    ombrix_log "screenshot of the popup over the desktop: $run_dir/screenshot.png"
fi

if [ -n "$seconds" ]; then
  ombrix_log "running for $seconds s"
  sleep "$seconds"
else
  ombrix_log "running; Ctrl+C ends Ombrix"
  while :; do sleep 1; done
fi
