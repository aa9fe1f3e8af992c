#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor on the built-in
# default room (or on the room files named as arguments).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j "$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run.sh: the editor is built (build/bin/velmora), but no display was found (DISPLAY and WAYLAND_DISPLAY are not set), so it cannot open its window." >&2
  echo "Start it from a desktop session, or under a virtual display: xvfb-run -a scripts/run.sh" >&2
  exit 1
fi
exec "$root/build/bin/velmora" "$@"
