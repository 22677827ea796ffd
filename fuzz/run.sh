#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer (in build-fuzz/, with the address and
# undefined-behaviour sanitizers) and runs each on a copy of its seed corpus, one after the other,
# for SECONDS each (default 60), or for RUNS inputs each with FUZZ_RUNS=RUNS; then prints each
# target's inputs run. Without target names, every target.
#   fuzz/run.sh 300                          # every target for 5 minutes
#   FUZZ_RUNS=1000000 fuzz/run.sh 0 top10    # a million inputs of one target
# A target that finds a fault stops, saves the input as build-fuzz/crash-TARGET-* and says so.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/deps.sh
tob_install "${TOB_BUILD_PACKAGES[@]}" clang
each=${1:-60}
shift || true
build=${FUZZ_BUILD:-build-fuzz}
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=($(ls fuzz/corpus))
cmake -S . -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTOB_FUZZ=ON -DTOB_SANITIZE=ON -DTOB_TESTS=OFF >/dev/null
# clang warns about code gcc accepts; the build's own output waits in its log.
if ! cmake --build "$build" -j "$TOB_JOBS" --target $(printf 'fuzz_%s ' "${targets[@]}") >"$build/build.log" 2>&1; then
  tail -30 "$build/build.log"
  exit 1
fi
export TOB_FUZZ_TMP="$build/tmp"
mkdir -p "$TOB_FUZZ_TMP"
trap 'rm -rf "$TOB_FUZZ_TMP"' EXIT
status=0
for t in "${targets[@]}"; do
  work="$build/corpus/$t"
  mkdir -p "$work"
  cp -n fuzz/corpus/"$t"/* "$work"/
  # The XML readers' fatal data errors end an input by unwinding, leaving what they had built.
  leaks=1
  case $t in sprites | level | entities) leaks=0 ;; esac
  # The Vorbis libraries' own leaks would stop the sound target at its first damaged file. The
  # path is quoted: a blank, colon or comma in it would end the option's value.
  supp=
  [ "$t" = sound ] && supp="suppressions=\"$PWD/fuzz/sound.supp\""
  args=(-detect_leaks=$leaks -max_len=65536 -close_fd_mask=3 -print_final_stats=1 -artifact_prefix="$build/crash-$t-")
  if [ -n "${FUZZ_RUNS:-}" ]; then args+=(-runs="$FUZZ_RUNS"); else args+=(-max_total_time="$each"); fi
  log="$build/fuzz_$t.log"
  if ! LSAN_OPTIONS=$supp UBSAN_OPTIONS=print_stacktrace=1 "$build/fuzz_$t" "${args[@]}" "$work" >"$log" 2>&1; then
    echo "$t: FAULT FOUND, see $log"
    status=1
  fi
  runs=$(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}')
  secs=$(grep -m1 'Done [0-9]* runs in' "$log" | sed 's/.*runs in \([0-9]*\) second.*/\1/')
  echo "$t: ${runs:-?} inputs in ${secs:-?} s"
done
exit $status
