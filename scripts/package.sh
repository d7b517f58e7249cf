#!/usr/bin/env bash
# Builds Ombrix and its per-user installer, build/windows/package/Ombrix-Setup-<version>.exe (NSIS): the program, its
# hook library, the help file and the colour schemes, a Start Menu shortcut and an uninstaller registered for the user.
#   scripts/package.sh
set -u -o pipefail
source "$(dirname "$0")/lib/setup.sh"

ombrix_install_packages || exit 1
ombrix_build_preset windows || exit 1
cmake --build --preset windows --target ombrix_setup -- -j2 || exit 1
ls "$ombrix_build"/windows/package/Ombrix-Setup-*.exe
