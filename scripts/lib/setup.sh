# Shared set-up for the project's scripts: packages, third-party sources, the Wine harness.
# Sourced, not run. Everything comes from Debian packages; nothing is downloaded from anywhere else.

ombrix_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
ombrix_build="$ombrix_root/build"

ombrix_log() { printf '[ombrix] %s\n' "$*" >&2; }

# Debian packages the build and the tests need. Each entry is "package:command-or-path-it-provides", so that a
# machine that has everything installs nothing and does not touch the package lists.
ombrix_packages=(
  "cmake:/usr/bin/cmake"
  "ninja-build:/usr/bin/ninja"
  "g++:/usr/bin/g++"
  "clang:/usr/bin/clang++"
  "libclang-rt-14-dev:/usr/lib/llvm-14/lib/clang/14.0.6/lib/linux/libclang_rt.fuzzer-x86_64.a"
  "g++-mingw-w64-x86-64-posix:/usr/bin/x86_64-w64-mingw32-g++-posix"
  "binutils-mingw-w64-x86-64:/usr/bin/x86_64-w64-mingw32-windres"
  "wine:/usr/bin/wine"
  "wine64:/usr/lib/wine/wine64"
  "xvfb:/usr/bin/Xvfb"
  "imagemagick:/usr/bin/convert-im6.q16"
  "librsvg2-bin:/usr/bin/rsvg-convert"
  "libboost-dev:/usr/include/boost/lexical_cast.hpp"
  "googletest:/usr/src/googletest/CMakeLists.txt"
  "dpkg-dev:/usr/bin/dpkg-source"
  "fp-utils:/usr/bin/chmcmd"
  "nsis:/usr/bin/makensis"
)

ombrix_install_packages() {
  local missing=() entry
  for entry in "${ombrix_packages[@]}"; do
    [ -e "${entry#*:}" ] || missing+=("${entry%%:*}")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  ombrix_log "installing: ${missing[*]}"
  apt-get update -q >/dev/null
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null
}

# pugixml comes from Debian's source package and is compiled by our own CMake with the cross toolchain, in
# wide-character mode. Source entries are derived from the machine's own Debian entry, so no host is named here.
ombrix_pugixml_source() {
  local deps="$ombrix_build/deps" found
  found=$(find "$deps" -maxdepth 3 -path '*/src/pugixml.cpp' 2>/dev/null | head -n 1)
  if [ -z "$found" ]; then
    ombrix_enable_debian_sources
    mkdir -p "$deps"
    (cd "$deps" && apt-get source -q pugixml >/dev/null 2>&1) || {
      ombrix_log "apt-get source pugixml failed"; return 1; }
    found=$(find "$deps" -maxdepth 3 -path '*/src/pugixml.cpp' | head -n 1)
  fi
  [ -n "$found" ] || { ombrix_log "pugixml sources not found under $deps"; return 1; }
  dirname "$(dirname "$found")"
}

ombrix_enable_debian_sources() {
  local target=/etc/apt/sources.list.d/ombrix-debian-src.sources
  [ -f "$target" ] && return 0
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed -e 's/^Types:.*$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > "$target"
  elif [ -f /etc/apt/sources.list ]; then
    grep -E '^deb ' /etc/apt/sources.list | sed -e 's/^deb /deb-src /' > /etc/apt/sources.list.d/ombrix-debian-src.list
  else
    ombrix_log "no Debian apt entry to derive source entries from"; return 1
  fi
  apt-get update -q >/dev/null
}

# Configures and builds one preset; the pugixml source folder is handed to CMake.
ombrix_build_preset() {
  local preset=$1 pugixml
  pugixml=$(ombrix_pugixml_source) || return 1
  if [ ! -f "$ombrix_build/$preset/build.ninja" ]; then
    cmake --preset "$preset" -S "$ombrix_root" -DOMBRIX_PUGIXML_SOURCE_DIR="$pugixml" >/dev/null || return 1
  fi
  cmake --build --preset "$preset" -- -j2 || return 1
}
