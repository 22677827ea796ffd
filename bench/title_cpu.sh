#!/usr/bin/env bash
# Title-screen CPU: starts the game under a virtual X server with a fresh user folder, waits
# through the logo screens, then prints how much of one core the whole process and its main
# thread spent over the next SECONDS while the title screen stands still.
#
# Usage: bench/title_cpu.sh [SECONDS] [RUNS] [--fullscreen]
# TOB_GAME=path/to/tobrulant measures that game instead of building build-bench/tobrulant;
# TOB_WARMUP sets the seconds left to the logo screens (default 10).
set -euo pipefail
cd "$(dirname "$0")/.."
SPAN=${1:-10}
RUNS=${2:-3}
FULL=0
[ "${3:-}" = --fullscreen ] && FULL=1
GAME=${TOB_GAME:-}
if [ -z "$GAME" ]; then
  BUILD=build-bench
  [ -f "$BUILD/CMakeCache.txt" ] || cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOB_BENCH=ON >/dev/null
  cmake --build "$BUILD" --target tobrulant -j 3 >/dev/null
  GAME=$BUILD/tobrulant
fi

HOME_DIR=$(mktemp -d)
trap 'rm -rf "$HOME_DIR"' EXIT
export LIBGL_ALWAYS_SOFTWARE=1 SDL_AUDIODRIVER=dummy BENCH_GAME="$(realpath "$GAME")" BENCH_HOME="$HOME_DIR"
export SPAN RUNS FULL WARMUP=${TOB_WARMUP:-10}
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  ticks=$(getconf CLK_TCK)
  # utime + stime of a /proc stat line; the command name in brackets may hold spaces.
  cpu() {
    local s
    s=$(cat "$1" 2>/dev/null) || { echo 0; return; }
    s=${s##*) }
    set -- $s
    echo $(( ${12} + ${13} ))
  }
  for i in $(seq "$RUNS"); do
    rm -rf "$BENCH_HOME/hospital"
    mkdir -p "$BENCH_HOME/hospital/0"
    printf "FULLSCREEN %d" "$FULL" > "$BENCH_HOME/hospital/0/video.cfg"
    HOME="$BENCH_HOME" "$BENCH_GAME" >/dev/null 2>&1 &
    pid=$!
    sleep "$WARMUP"
    p0=$(cpu /proc/$pid/stat); m0=$(cpu /proc/$pid/task/$pid/stat); t0=$(date +%s%N)
    sleep "$SPAN"
    p1=$(cpu /proc/$pid/stat); m1=$(cpu /proc/$pid/task/$pid/stat); t1=$(date +%s%N)
    alive=yes
    kill -0 "$pid" 2>/dev/null || alive=no
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    [ "$alive" = yes ] || { echo "the game ended early"; exit 1; }
    mode=window
    [ "$FULL" = 1 ] && mode=fullscreen
    awk -v p=$((p1 - p0)) -v m=$((m1 - m0)) -v t=$((t1 - t0)) -v hz="$ticks" -v mode="$mode" "BEGIN {
      s = t / 1e9
      printf \"title_cpu %s: process %.1f %% of a core, main thread %.1f %% (over %.1f s)\\n\", \
        mode, 100 * p / hz / s, 100 * m / hz / s, s }"
  done'
