#!/usr/bin/env bash
# Installs what is missing, builds the benchmark suite in release mode and
# runs it; extra arguments go to Google Benchmark (e.g. --benchmark_filter=Compose).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
cmake -S "$root" -B "$root/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DVELMORA_BENCH=ON -DVELMORA_BUILD_TESTS=OFF >/dev/null
cmake --build "$root/build-bench" -j "$(nproc)" --target velmora-bench
exec "$root/build-bench/bin/velmora-bench" --benchmark_min_time=0.5 "$@"
