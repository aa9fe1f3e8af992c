#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each in turn for SECONDS
# (default 60), one process at a time at low priority:
#   fuzz/run.sh [SECONDS] [TARGET...]     TARGET: decode_bmp room_file part_check text_lines recovery_file
#                                                read_ora read_ase
# SECONDS 0 only runs every target over its seeds (a smoke test for CI: the
# targets build and the seeds keep every invariant); it writes no corpus.
# Corpora, crash files and logs go to fuzz/corpus-work/ (git-ignored); the
# seeds are made anew by make_seeds each run and merged into the corpora.
# Exits with status 1 when any target finds a fault.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(decode_bmp room_file part_check text_lines recovery_file read_ora read_ase)

"$root/scripts/deps.sh"
build="$root/build-fuzz"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DVELMORA_FUZZ=ON -DVELMORA_BUILD_GUI=OFF -DVELMORA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target make_seeds "${targets[@]/#/fuzz_}"

work="$root/fuzz/corpus-work"
"$build/bin/make_seeds" "$work/seeds"

# A room file is at least 200,000 bytes, and a recovery file holds one; the
# other inputs stay small.
max_len() { case "$1" in room_file | recovery_file | read_ora | read_ase) echo 300000 ;; *) echo 65536 ;; esac; }

status=0
if [ "$seconds" = 0 ]; then
  for t in "${targets[@]}"; do
    echo "== fuzz_$t over its seeds"
    if ! "$build/bin/fuzz_$t" -runs=0 -max_len="$(max_len "$t")" "$work/seeds/$t" >"$work/seeds/$t.log" 2>&1; then
      echo "   FAULT: see $work/seeds/$t.log"
      status=1
    fi
  done
  exit $status
fi

for t in "${targets[@]}"; do
  mkdir -p "$work/corpus/$t" "$work/artifacts/$t" "$work/logs"
  log="$work/logs/$t.log"
  echo "== fuzz_$t for ${seconds}s (log: $log)"
  # -jobs=1 runs the fuzzer in one child that writes fuzz-0.log in the
  # current folder; run it in the logs folder.
  if ! (cd "$work/logs" && nice -n 10 "$build/bin/fuzz_$t" "$work/corpus/$t" "$work/seeds/$t" \
        -jobs=1 -workers=1 -max_total_time="$seconds" -max_len="$(max_len "$t")" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$work/artifacts/$t/" >/dev/null 2>&1); then
    status=1
  fi
  mv -f "$work/logs/fuzz-0.log" "$log" 2>/dev/null || true
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  secs=$(sed -n 's/^stat::.*//; s/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -n 1)
  if grep -qE '^==[0-9]+==ERROR|^SUMMARY|deadly signal|invariant broken|uncaught exception' "$log"; then
    echo "   FAULT found: see $log and $work/artifacts/$t/"
    status=1
  fi
  echo "   ${runs:-?} executions in ${secs:-?} s"
done
exit $status
