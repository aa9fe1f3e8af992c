#!/usr/bin/env bash
# Installs the Debian packages the build, the editor and the tests need, when
# any is missing. Runs apt-get as root, through sudo otherwise.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-image-formats-plugins
  libjpeg62-turbo-dev libjpeg-turbo-progs
  zlib1g-dev libgif-dev libwebp-dev
  # libzip's CMake package (Debian 12) refuses to load without its three tools
  libzip-dev zipcmp zipmerge ziptool
  googletest libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth
  fonts-noto-cjk qt6-translations-l10n
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
