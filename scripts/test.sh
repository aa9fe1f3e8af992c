#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors, and
# runs the whole test suite: once in a normal build, once under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

build() {  # build DIR [cmake options...]
  local dir=$1; shift
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVELMORA_BUILD_TESTS=ON -DVELMORA_WERROR=ON "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}

build "$root/build"
(cd "$root/build" && ctest --output-on-failure -j "$jobs")

if [ "${VELMORA_SKIP_SANITIZERS:-0}" != 1 ]; then
  build "$root/build-asan" -DVELMORA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  (cd "$root/build-asan" && ctest --output-on-failure -j "$jobs")
fi
