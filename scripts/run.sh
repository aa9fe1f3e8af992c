#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor on the built-in
# default room. Until the editor exists it writes and describes the default
# room with the command-line tool.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j "$(nproc)"
out="$root/build/default-room.pac"
"$root/build/bin/velmora-pac" default "$out"
exec "$root/build/bin/velmora-pac" info "$out"
