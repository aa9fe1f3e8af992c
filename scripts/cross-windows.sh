#!/usr/bin/env bash
# Builds the Qt-free core and its tests for 64-bit Windows with Debian's
# MinGW-w64 cross compiler and runs the tests under wine, in a private wine
# prefix (build-windows/wine: about 700 MB, made once, 10-20 s). Installs what
# is missing. Prints CTest's closing line; the exit status is CTest's.
#
# Debian has no libjpeg for MinGW: the script cross-builds libjpeg-turbo from
# Debian's source package (fetched once through a private deb-src list, about
# 12 MB) for the JPEG export and its test. VELMORA_CROSS_JPEG=0, or a fetch
# that fails, leaves the export out of the build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${VELMORA_CROSS_DIR:-$root/build-windows}
jobs=$(nproc)
mkdir -p "$out"

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix wine wine64 googletest cmake ninja-build)
[ "${VELMORA_CROSS_JPEG:-1}" = 1 ] && packages+=(dpkg-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  # Wine's recommendations (fonts, media) are not needed by console programs.
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine keeps to the prefix: without a private HOME it links the prefix's
# folders to the real user's and writes menu entries there.
export WINEPREFIX="$out/wine/prefix" HOME="$out/wine/home"
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share" XDG_CACHE_HOME="$HOME/.cache"
export WINEDEBUG=-all
# No menu entries, no offers to install Mono or Gecko, no debugger dumps.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d;winedbg.exe=d"
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$HOME"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Creating the wine prefix"
  wineboot -i >"$out/wineboot.log" 2>&1
  wineserver -w
fi

# A running server with its services started on /dev/null: services that
# inherit a pipe (CTest's, or a command substitution's) keep its reader
# waiting for ever.
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
wine cmd.exe /c exit 0 </dev/null >/dev/null 2>&1

toolchain=$root/cmake/mingw-w64.cmake
sysroot=$out/sysroot

# libjpeg-turbo from Debian's source package, cross-built into $sysroot.
# deb-src may not be enabled system-wide: a private list and state.
cross_build_jpeg() {
  local apt=$out/apt src
  rm -rf "$out/jpeg-src" "$out/jpeg-build"
  mkdir -p "$apt/parts" "$apt/lists/partial" "$apt/cache" "$out/jpeg-src"
  cat >"$apt/parts/src.sources" <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  local aptopts=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt/parts"
                 -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache")
  apt-get "${aptopts[@]}" -qq update &&
    (cd "$out/jpeg-src" && apt-get "${aptopts[@]}" -qq source libjpeg-turbo >/dev/null 2>&1) || return 1
  src=$(find "$out/jpeg-src" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -1)
  [ -n "$src" ] || return 1
  cmake -S "$src" -B "$out/jpeg-build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -Wno-dev \
    -DCMAKE_BUILD_TYPE=Release -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
    -DWITH_JAVA=OFF -DWITH_SIMD=OFF -DCMAKE_INSTALL_PREFIX="$sysroot" >"$out/jpeg-configure.log" 2>&1 &&
    cmake --build "$out/jpeg-build" -j "$jobs" >"$out/jpeg-build.log" 2>&1 &&
    cmake --install "$out/jpeg-build" >/dev/null
}

options=(-DVELMORA_JPEG_EXPORT=OFF)
if [ "${VELMORA_CROSS_JPEG:-1}" = 1 ]; then
  if [ ! -f "$sysroot/lib/libjpeg.a" ]; then
    echo "Cross-building libjpeg-turbo from Debian's sources"
    cross_build_jpeg || echo "libjpeg for Windows could not be had (see $out/jpeg-*.log): the JPEG export stays out"
  fi
  if [ -f "$sysroot/lib/libjpeg.a" ]; then
    # The export is compared with the cross-built cjpeg, started by the test
    # through cmd.exe.
    cjpeg=$(winepath -w "$sysroot/bin/cjpeg.exe" 2>/dev/null | tr '\\' /)
    options=(-DVELMORA_JPEG_EXPORT=ON -DVELMORA_MINGW_SYSROOT="$sysroot" -DVELMORA_CJPEG_PROGRAM="$cjpeg")
  fi
fi

build=$out/build
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DVELMORA_CORE_ONLY=ON -DVELMORA_WERROR=ON -DVELMORA_GTEST_SOURCE_DIR=/usr/src/googletest \
  "${options[@]}" >/dev/null
cmake --build "$build" -j "$jobs"

# Wine writes CRLF line ends.
set +e
(cd "$build" && timeout 900 ctest --output-on-failure --verbose --timeout 300 -j "$jobs") 2>&1 | tr -d '\r' \
  >"$out/ctest.log"
status=${PIPESTATUS[0]}
set -e
if [ "$status" -ne 0 ]; then
  cat "$out/ctest.log"
else
  grep -E '^ *[0-9]+/[0-9]+ Test' "$out/ctest.log"
fi
cases=$(sed -nE 's/.*\[  PASSED  \] ([0-9]+) tests?\..*/\1/p' "$out/ctest.log" | awk '{ n += $1 } END { print n + 0 }')
echo "GoogleTest cases passed under wine: ${cases:-0}"
echo "Windows (wine) core tests: $(grep -E 'tests passed' "$out/ctest.log" || echo "no CTest summary")"
exit "$status"
