#!/usr/bin/env bash
# Installs what is missing, builds the benchmark suite in release mode and
# runs it; extra arguments go to Google Benchmark (e.g.
# --benchmark_filter=Compose or --benchmark_out=bench.json).
# Then times whole processes against their anchors, runs interleaved so that
# a busy machine slows both alike: `velmora-pac render` against
# `cjpeg -quality 80` writing the same pixels, and the editor's
# `--startup-time` against an empty Qt main window of the same size.
# VELMORA_BENCH_PROCESSES=0 skips that part; VELMORA_BENCH_RUNS sets the
# number of runs of each process (default 40).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench"
"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DVELMORA_BENCH=ON -DVELMORA_BUILD_TESTS=OFF >/dev/null
targets=(velmora-bench velmora-pac)
if grep -q '^VELMORA_BUILD_GUI:BOOL=ON' "$build/CMakeCache.txt"; then
  targets+=(velmora velmora-bench-empty-window)
fi
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"
"$build/bin/velmora-bench" --benchmark_min_time=0.5 "$@"

[ "${VELMORA_BENCH_PROCESSES:-1}" = 0 ] && exit 0
runs=${VELMORA_BENCH_RUNS:-40}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Nothing of the real user's: the editor's settings stay in $work.
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" TEMP="$work/tmp" QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$TEMP"
cd "$work"

# Prints the minimum and the median of the numbers on stdin.
min_median() { sort -n | awk '{v[NR] = $1} END {printf "%.2f %.2f\n", v[1], v[int((NR + 1) / 2)]}'; }
# Milliseconds a command takes as a whole process.
wall_ms() {
  local t0 t1
  t0=$(date +%s%N)
  "$@" >/dev/null
  t1=$(date +%s%N)
  awk -v a="$t0" -v b="$t1" 'BEGIN {printf "%.3f\n", (b - a) / 1e6}'
}
# "label min median" for a list of times.
report() { printf '%-44s min %8s ms   median %8s ms\n' "$1" $2; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }

pac="$build/bin/velmora-pac"
"$pac" default room.pac
# The pixels cjpeg encodes are the rendered picture's: its 8-bit BMP.
"$pac" render room.pac same.bmp --letters
: >render.txt; : >cjpeg.txt
for _ in $(seq "$runs"); do
  wall_ms "$pac" render room.pac out.jpg --letters >>render.txt
  wall_ms cjpeg -quality 80 -outfile cjpeg.jpg same.bmp >>cjpeg.txt
done
cmp -s out.jpg cjpeg.jpg || echo "warning: velmora-pac and cjpeg wrote different JPEGs"
read -r rmin rmed < <(min_median <render.txt)
read -r cmin cmed < <(min_median <cjpeg.txt)
echo
report "velmora-pac render (process)" "$rmin $rmed"
report "cjpeg -quality 80, same pixels (process)" "$cmin $cmed"
echo "render / cjpeg: $(ratio "$rmin" "$cmin") (minimum), $(ratio "$rmed" "$cmed") (median)"

if [ -x "$build/bin/velmora" ]; then
  # Whole processes, start to the window shown and quit, as a user waits for
  # them; each also says how long it took from main() to the window.
  : >editor.txt; : >empty.txt; : >editor-main.txt; : >empty-main.txt
  for _ in $(seq "$runs"); do
    t0=$(date +%s%N)
    "$build/bin/velmora" --startup-time 2>/dev/null | awk '/shown after/ {print $(NF - 1)}' >>editor-main.txt
    t1=$(date +%s%N)
    "$build/bin/velmora-bench-empty-window" 2>/dev/null | awk '/shown after/ {print $(NF - 1)}' >>empty-main.txt
    t2=$(date +%s%N)
    awk -v a="$t0" -v b="$t1" 'BEGIN {printf "%.3f\n", (b - a) / 1e6}' >>editor.txt
    awk -v a="$t1" -v b="$t2" 'BEGIN {printf "%.3f\n", (b - a) / 1e6}' >>empty.txt
  done
  read -r emin emed < <(min_median <editor.txt)
  read -r wmin wmed < <(min_median <empty.txt)
  read -r emmin emmed < <(min_median <editor-main.txt)
  read -r wmmin wmmed < <(min_median <empty-main.txt)
  report "velmora --startup-time (process, offscreen)" "$emin $emed"
  report "empty main window, same size (process)" "$wmin $wmed"
  echo "editor / empty window: $(ratio "$emin" "$wmin") (minimum), $(ratio "$emed" "$wmed") (median)"
  report "  from main(): velmora" "$emmin $emmed"
  report "  from main(): empty main window" "$wmmin $wmmed"
fi
