#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors, and
# runs the whole test suite: once in a normal build, once under
# AddressSanitizer and UndefinedBehaviorSanitizer; then runs the fuzz targets
# over their seeds, and the whole project built for Windows, every test
# program under wine and the Windows ZIP (scripts/cross-windows.sh). VELMORA_SKIP_SANITIZERS=1, VELMORA_SKIP_FUZZ=1
# and VELMORA_SKIP_WINDOWS=1 skip those steps while iterating.
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

# A test that hangs fails after this many seconds instead of stalling CI.
timeout=600

build "$root/build"
(cd "$root/build" && ctest --output-on-failure -j "$jobs" --timeout "$timeout")

if [ "${VELMORA_SKIP_SANITIZERS:-0}" != 1 ]; then
  # Every test, GUI tests on the offscreen platform included; leaks,
  # memory errors and undefined behaviour each fail the test that shows them.
  build "$root/build-asan" -DVELMORA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
  export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  (cd "$root/build-asan" && ctest --output-on-failure -j "$jobs" --timeout "$timeout")
fi

if [ "${VELMORA_SKIP_FUZZ:-0}" != 1 ]; then
  "$root/fuzz/run.sh" 0
fi

if [ "${VELMORA_SKIP_WINDOWS:-0}" != 1 ]; then
  "$root/scripts/cross-windows.sh"
fi
