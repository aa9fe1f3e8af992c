#!/usr/bin/env bash
# Builds Velmora for 64-bit Windows with Debian's MinGW-w64 cross compiler:
# the editor, velmora-pac and every test program, against Qt 6 for MinGW; runs
# the tests under wine in a private prefix (build-windows/wine: about 700 MB,
# made once); packs build-windows/velmora-VERSION-win64.zip. Installs what is
# missing. Prints each step's time, CTest's closing line and the counts of
# test programs and cases; the exit status is CTest's (or the ZIP check's).
#
# Qt for MinGW: VELMORA_QT_WINDOWS=DIR (a folder with lib/cmake/Qt6), else the
# tarball ../shared/windows/qt6-base-6.4.2-win64-mingw.tar.xz beside the
# repository (unpacked into build-windows/qt once per SHA-256), else Qt is
# built from Debian's source package by scripts/build-qt-windows.sh into
# VELMORA_QT_CACHE (default ~/.cache/velmora/qt-windows): about 30 minutes on
# 2 cores, once.
#
# Libraries Debian has no MinGW build of (libjpeg-turbo, libzip, giflib,
# libwebp) are cross-built, static, from Debian's source packages (fetched
# once through a private deb-src list) into build-windows/sysroot, each kept
# there between runs; zlib is Debian's libz-mingw-w64-dev, linked statically.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${VELMORA_CROSS_DIR:-$root/build-windows}
jobs=$(nproc)
mkdir -p "$out"

step_start=0
step() { step_start=$(date +%s); echo "== $1"; }
step_done() { echo "   ($1: $(($(date +%s) - step_start)) s)"; }

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix wine wine64 googletest cmake ninja-build
  dpkg-dev xz-utils zip unzip pkg-config libz-mingw-w64-dev qt6-base-dev qt6-base-dev-tools
  qt6-translations-l10n fonts-dejavu-core fonts-noto-cjk)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  # Wine's recommendations (fonts, media) are not needed: the GUI tests use
  # the offscreen platform with the fonts named below.
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# --- Qt for MinGW ---------------------------------------------------------
step "Qt for Windows"
qt_tarball=${VELMORA_QT_TARBALL:-$root/../shared/windows/qt6-base-6.4.2-win64-mingw.tar.xz}
if [ -n "${VELMORA_QT_WINDOWS:-}" ]; then
  qt=$(cd "$VELMORA_QT_WINDOWS" && pwd)
elif [ -f "$qt_tarball" ]; then
  sum=$(sha256sum "$qt_tarball" | cut -d' ' -f1)
  if [ "$(cat "$out/qt/sha256" 2>/dev/null)" != "$sum" ]; then
    echo "Unpacking $qt_tarball"
    rm -rf "$out/qt" && mkdir -p "$out/qt"
    tar -xJf "$qt_tarball" -C "$out/qt"
    # Qt's own texts in the languages Velmora has (the same files on every
    # system), where the tests look for them.
    mkdir -p "$out/qt/qt6-win64/translations"
    cp /usr/share/qt6/translations/qtbase_en.qm /usr/share/qt6/translations/qtbase_ja.qm "$out/qt/qt6-win64/translations/"
    echo "$sum" >"$out/qt/sha256"
  fi
  qt=$out/qt/qt6-win64
else
  cache=${VELMORA_QT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/velmora/qt-windows}
  if [ ! -f "$cache/qt6-win64/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
    echo "No Qt for Windows at hand: building it from Debian's qt6-base source package into $cache"
    echo "(about 30 minutes on 2 cores, once; log in $cache/build.log)"
    start=$(date +%s)
    "$root/scripts/build-qt-windows.sh" "$cache" >"$cache.log" 2>&1 || { tail -30 "$cache.log"; exit 1; }
    echo "Qt for Windows built in $(( ($(date +%s) - start) / 60 )) minutes"
  fi
  qt=$cache/qt6-win64
fi
[ -f "$qt/lib/cmake/Qt6/qt.toolchain.cmake" ] || { echo "No Qt for MinGW in $qt"; exit 1; }
step_done "Qt"

toolchain=$root/cmake/mingw-w64.cmake
sysroot=$out/sysroot
src_root=$out/deb-src
mkdir -p "$sysroot" "$src_root"

# Debian's source package $1 unpacked under $src_root; prints its folder.
# deb-src may not be enabled system-wide: a private list and state.
debian_source() {
  local apt=$out/apt dir
  dir=$(find "$src_root" -maxdepth 1 -type d -name "$1-[0-9]*" | head -1)
  if [ -z "$dir" ]; then
    mkdir -p "$apt/parts" "$apt/lists/partial" "$apt/cache"
    cat >"$apt/parts/src.sources" <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    local aptopts=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt/parts"
                   -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache")
    ls "$apt/lists/"*Sources* >/dev/null 2>&1 || apt-get "${aptopts[@]}" -qq update >&2
    (cd "$src_root" && apt-get "${aptopts[@]}" -qq source "$1" >"$out/$1-source.log" 2>&1) || return 1
    dir=$(find "$src_root" -maxdepth 1 -type d -name "$1-[0-9]*" | head -1)
  fi
  [ -n "$dir" ] && echo "$dir"
}

# Cross-builds a CMake project $2 (from source package $1) into $sysroot.
cross_cmake() {
  local name=$1 src=$2; shift 2
  rm -rf "$out/$name-build"
  cmake -S "$src" -B "$out/$name-build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -Wno-dev \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DCMAKE_INSTALL_PREFIX="$sysroot" \
    -DVELMORA_MINGW_SYSROOT="$sysroot" "$@" >"$out/$name-configure.log" 2>&1 &&
    cmake --build "$out/$name-build" -j "$jobs" >"$out/$name-build.log" 2>&1 &&
    cmake --install "$out/$name-build" >/dev/null && rm -rf "$out/$name-build"
}

build_jpeg() {
  local src; src=$(debian_source libjpeg-turbo) || return 1
  cross_cmake libjpeg-turbo "$src" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
    -DWITH_JAVA=OFF -DWITH_SIMD=OFF
}

# OpenRaster's ZIP; zlib is Debian's MinGW one (static, see the toolchain).
build_libzip() {
  local src; src=$(debian_source libzip) || return 1
  cross_cmake libzip "$src" -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF \
    -DENABLE_COMMONCRYPTO=OFF -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF \
    -DENABLE_WINDOWS_CRYPTO=OFF -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF
}

# giflib has a plain Makefile for Unix shared libraries: its library sources
# are compiled here.
build_giflib() {
  local src cc=x86_64-w64-mingw32-gcc-posix; src=$(debian_source giflib) || return 1
  local objs=$out/giflib-build
  rm -rf "$objs" && mkdir -p "$objs" "$sysroot/lib" "$sysroot/include"
  local f
  for f in dgif_lib egif_lib gifalloc gif_err gif_font gif_hash openbsd-reallocarray quantize; do
    [ -f "$src/$f.c" ] || continue
    $cc -O2 -c "$src/$f.c" -o "$objs/$f.o" 2>>"$out/giflib-build.log" || return 1
  done
  x86_64-w64-mingw32-ar rcs "$sysroot/lib/libgif.a" "$objs"/*.o && cp "$src/gif_lib.h" "$sysroot/include/" &&
    rm -rf "$objs"
}

# Animated WebP: the library and its muxer, with their pkg-config files.
build_libwebp() {
  local src; src=$(debian_source libwebp) || return 1
  cross_cmake libwebp "$src" -DWEBP_BUILD_ANIM_UTILS=OFF -DWEBP_BUILD_CWEBP=OFF -DWEBP_BUILD_DWEBP=OFF \
    -DWEBP_BUILD_GIF2WEBP=OFF -DWEBP_BUILD_IMG2WEBP=OFF -DWEBP_BUILD_VWEBP=OFF -DWEBP_BUILD_WEBPINFO=OFF \
    -DWEBP_BUILD_WEBPMUX=OFF -DWEBP_BUILD_EXTRAS=OFF -DWEBP_BUILD_LIBWEBPMUX=ON
}

# --- the libraries ----------------------------------------------------------
dep() {  # dep NAME FILE-IN-SYSROOT FUNCTION
  [ -f "$sysroot/$2" ] && return 0
  local start; start=$(date +%s)
  echo "Cross-building $1 from Debian's sources"
  "$3" || { echo "$1 for Windows could not be built (see $out/$1-*.log)"; exit 1; }
  echo "   $1: $(($(date +%s) - start)) s"
}
step "Libraries for Windows"
dep libjpeg-turbo lib/libjpeg.a build_jpeg
dep libzip lib/libzip.a build_libzip
dep giflib lib/libgif.a build_giflib
dep libwebp lib/libwebpmux.a build_libwebp
step_done "libraries"

# --- the build ----------------------------------------------------------------
# The JPEG export is compared with the cross-built cjpeg, started by the test
# through cmd.exe.
# Wine's drive Z: is the root folder (a Windows path with forward slashes).
cjpeg=Z:$sysroot/bin/cjpeg.exe
export WINEPREFIX="$out/wine/prefix"

step "Configure"
build=$out/build
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" -DQT_CHAINLOAD_TOOLCHAIN_FILE="$toolchain" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DVELMORA_MINGW_SYSROOT="$sysroot" \
  -DVELMORA_WERROR=ON -DVELMORA_BUILD_TESTS=ON -DVELMORA_BENCH=OFF -DVELMORA_FUZZ=OFF \
  -DVELMORA_GTEST_SOURCE_DIR=/usr/src/googletest -DVELMORA_CJPEG_PROGRAM="$cjpeg" >"$out/configure.log" 2>&1 ||
  { cat "$out/configure.log"; exit 1; }
step_done "configure"

step "Build"
cmake --build "$build" -j "$jobs"
step_done "build"

# --- the wine prefix ------------------------------------------------------------
# Wine keeps to the prefix: without a private HOME it links the prefix's
# folders to the real user's and writes menu entries there.
step "Wine prefix"
export HOME="$out/wine/home"
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
step_done "wine prefix"

# The offscreen platform on Windows reads its fonts from one folder: Latin and
# Japanese faces side by side (FreeType reads the collection by any name).
fonts=$out/wine/fonts
mkdir -p "$fonts"
ln -sf /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf \
  /usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf "$fonts/"
ln -sf /usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc "$fonts/NotoSansCJK-Regular.ttf"

# --- the tests --------------------------------------------------------------------
# Wine hands no QT_ variable to Windows programs, but WINEQT_X reaches them
# as QT_X (tests/CMakeLists.txt does the same for each test's own).
step "Tests under wine"
export WINEQT_QPA_PLATFORM=offscreen
# Wine takes no Unix PATH: Qt's DLLs and the MinGW runtime they need.
WINEPATH="$(winepath -w "$qt/bin");$(winepath -w /usr/lib/gcc/x86_64-w64-mingw32/12-posix)"
WINEPATH+=";$(winepath -w /usr/x86_64-w64-mingw32/lib)"
export WINEPATH
WINEQT_QPA_FONTDIR=$(winepath -w "$fonts")
export WINEQT_QPA_FONTDIR
# Wine writes CRLF line ends.
rm -f "$build"/tests/*.log
set +e
(cd "$build" && timeout 1500 ctest --verbose --timeout 600 -j "$jobs") 2>&1 | tr -d '\r' >"$out/ctest.log"
status=${PIPESTATUS[0]}
set -e
# QtTest's logs, which do not reach CTest's pipe under wine.
cat "$build"/tests/*.log 2>/dev/null | tr -d '\r' >"$out/qtest.log"
grep -E '^ *[0-9]+/[0-9]+ Test' "$out/ctest.log"
if [ "$status" -ne 0 ]; then
  echo "Failed: the logs are $out/ctest.log and $build/tests/*.log; the failures' lines:"
  grep -E -A1 '\[  FAILED  \]|Failure$' "$out/ctest.log" | head -60 || true
  grep -E -A2 '^FAIL!' "$out/qtest.log" | head -80 || true
fi
sum() { sed -nE "s/$1/\1/p" "$2" | awk '{ n += $1 } END { print n + 0 }'; }
echo "Windows (wine) test programs: $(grep -E 'tests passed' "$out/ctest.log" || echo "no CTest summary")"
grep -E '^ *[0-9]+/[0-9]+ Test.*(Skipped|Not Run)' "$out/ctest.log" || true
echo "Cases under wine: GoogleTest $(sum '.*\[  PASSED  \] ([0-9]+) tests?\..*' "$out/ctest.log") passed," \
  "$(sum '.*\[  SKIPPED \] ([0-9]+) tests?,.*' "$out/ctest.log") skipped;" \
  "QtTest $(sum '^Totals: ([0-9]+) passed.*' "$out/qtest.log") passed," \
  "$(sum '^Totals: [0-9]+ passed, [0-9]+ failed, ([0-9]+) skipped.*' "$out/qtest.log") skipped"
echo "Skipped cases and why:"
{ grep -E -A1 '^[0-9]+: .*: Skipped$' "$out/ctest.log" | grep -vE 'Skipped$|^--' | sed -E 's/^[0-9]+: /  /'
  grep -E '^SKIP   :' "$out/qtest.log" | sed 's/^/  /'; } | sort | uniq -c || true
step_done "tests"

# --- the ZIP ------------------------------------------------------------------------
# One folder: the programs, Qt's DLLs and the plugins they load, MinGW's
# runtime (Qt's DLLs need it; our programs are linked statically), the data
# files with the help, Qt's translations, qt.conf and a README.
step "ZIP"
version=$(sed -nE 's/^project\(Velmora VERSION ([0-9.]+).*/\1/p' "$root/CMakeLists.txt")
name=velmora-$version
stage=$out/zip/$name
rm -rf "$out/zip" && mkdir -p "$stage"/{platforms,styles,imageformats,translations}
strip=x86_64-w64-mingw32-strip
cp "$build/bin/velmora.exe" "$build/bin/velmora-pac.exe" "$stage/"
$strip "$stage"/*.exe
cp "$qt"/bin/Qt6{Core,Gui,Widgets}.dll "$stage/"
cp "$qt/plugins/platforms/qwindows.dll" "$stage/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"
cp "$qt"/plugins/imageformats/{qgif,qico,qjpeg}.dll "$stage/imageformats/"
cp /usr/lib/gcc/x86_64-w64-mingw32/12-posix/{libstdc++-6,libgcc_s_seh-1}.dll \
  /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$stage/"
$strip --strip-unneeded "$stage"/lib*.dll
(cd "$root/data" && tar --exclude=icons -cf - .) | tar -xf - -C "$stage"
cp /usr/share/qt6/translations/qtbase_{en,ja}.qm "$stage/translations/"
# Qt's folders are the program's own, wherever it is unpacked.
printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\nTranslations = translations\r\n' >"$stage/qt.conf"
sed "s/@VERSION@/$version/g; s/\$/\r/" "$root/packaging/README-windows.txt" >"$stage/README.txt"
zipfile=$out/$name-win64.zip
rm -f "$zipfile"
(cd "$out/zip" && zip -qr -9 "$zipfile" "$name")
echo "$zipfile: $(du -k "$zipfile" | cut -f1) KB"
# The ZIP alone, unpacked into a folder with a space in its name, Qt's
# folders off the path: velmora-pac loads its DLLs and data from the folder.
check="$out/zip check"
rm -rf "$check" && mkdir -p "$check" && unzip -q "$zipfile" -d "$check"
if ! (cd "$check/$name" && WINEPATH= timeout 120 wine velmora-pac.exe default 'room check.pac' </dev/null &&
      WINEPATH= timeout 120 wine velmora-pac.exe render 'room check.pac' 'room check.bmp' </dev/null) ||
   [ ! -s "$check/$name/room check.bmp" ]; then
  echo "velmora-pac.exe does not run from the unpacked ZIP"
  status=1
fi
step_done "zip"
exit "$status"
