#!/usr/bin/env bash
# Runs a cross-compiled test program under Wine in the prefix of the build tree that CTest runs in. The harness
# (scripts/test.sh) has already started the display and a persistent wineserver for that prefix.
set -u
if [ -z "${WINEPREFIX:-}" ]; then
  dir=$PWD
  while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  export WINEPREFIX="$dir/wineprefix"
fi
export WINEDEBUG=${WINEDEBUG:--all}
exec wine "$@"
