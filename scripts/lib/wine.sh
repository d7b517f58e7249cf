# The Wine harness: one prefix per build tree, an Xvfb display when there is none, a persistent wineserver.
# Sourced, not run. Call ombrix_wine_start PREFIX before the first Wine process and ombrix_wine_stop at the end.

ombrix_xvfb_pid=
ombrix_wine_prefix=

# Starts a private Xvfb display unless DISPLAY is already usable. The display must exist before the first Wine
# process of a prefix starts, or that wineserver cannot create windows until it is restarted.
ombrix_display_start() {
  if [ -n "${DISPLAY:-}" ] && [ -z "${OMBRIX_OWN_DISPLAY:-}" ]; then return 0; fi
  local n
  for n in $(seq 91 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    ombrix_xvfb_pid=$!
    local tries=0
    while [ ! -e "/tmp/.X11-unix/X$n" ] && [ $tries -lt 100 ]; do sleep 0.05; tries=$((tries + 1)); done
    if [ -e "/tmp/.X11-unix/X$n" ]; then
      export DISPLAY=":$n" OMBRIX_OWN_DISPLAY=1
      return 0
    fi
    kill "$ombrix_xvfb_pid" 2>/dev/null; ombrix_xvfb_pid=
  done
  ombrix_log "could not start Xvfb"; return 1
}

ombrix_wine_start() {
  ombrix_wine_prefix=$1
  [ -n "$ombrix_wine_prefix" ] || { ombrix_log "no Wine prefix given"; return 1; }
  # No .NET or Gecko installers; no winemenubuilder, which Wine starts for every link made in a Start Menu (a
  # benchmark makes a thousand) to copy it into the host's menus.
  export WINEPREFIX="$ombrix_wine_prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  ombrix_display_start || return 1
  # A prefix counts as made when Wine's own libraries are in it: a wineboot that stopped part way (it happened
  # once) leaves the registry files but not the libraries, and every program then fails to start.
  local attempt=1
  while [ ! -f "$WINEPREFIX/drive_c/windows/system32/kernel32.dll" ]; do
    if [ $attempt -gt 3 ]; then ombrix_log "could not create the Wine prefix $WINEPREFIX"; return 1; fi
    [ $attempt -gt 1 ] && ombrix_log "the Wine prefix was left incomplete; making it again (attempt $attempt)"
    ombrix_log "creating the Wine prefix $WINEPREFIX (once per build tree)"
    wineserver -k >/dev/null 2>&1
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot --init >"$WINEPREFIX.wineboot.log" 2>&1
    wineserver -w
    # A crash must end the process, not wait for someone to close Wine's crash dialog.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -w
    attempt=$((attempt + 1))
  done
  # A persistent server makes each Wine start cheap for the whole run. The first Wine process of a server starts
  # Wine's own services, which live as long as the server and keep the output streams they inherited: start them
  # here, detached from any stream, or CTest would wait on the first test's output until its time-out.
  wineserver -p >/dev/null 2>&1
  wine cmd.exe /c exit 0 </dev/null >/dev/null 2>&1
  # Wine's desktop process ends a while after its last window goes and is started again by the next window; a
  # program creating its first window while the old one is ending fails to get one. One window kept open for the
  # whole run keeps a single desktop process alive (it ends with the server).
  wine notepad.exe </dev/null >/dev/null 2>&1 &
  local tries=0
  while ! pgrep -f 'notepad\.exe' >/dev/null && [ $tries -lt 100 ]; do sleep 0.1; tries=$((tries + 1)); done
  sleep 1
}

ombrix_wine_stop() {
  [ -n "$ombrix_wine_prefix" ] && WINEPREFIX="$ombrix_wine_prefix" wineserver -k >/dev/null 2>&1
  if [ -n "$ombrix_xvfb_pid" ]; then kill "$ombrix_xvfb_pid" 2>/dev/null; wait "$ombrix_xvfb_pid" 2>/dev/null; fi
  ombrix_xvfb_pid=
  unset OMBRIX_OWN_DISPLAY
}
