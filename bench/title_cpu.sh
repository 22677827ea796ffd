#!/usr/bin/env bash
# Title-screen CPU: starts the game under a virtual X server with a fresh user folder, waits
# until the title screen shows (its backdrop right of the menu panel), then prints how much of
# one core the whole process and its main thread spent over the next SECONDS while the title
# screen stands still.
#
# Usage: bench/title_cpu.sh [SECONDS] [RUNS] [--fullscreen]
# TOB_GAME=path/to/tobrulant measures that game instead of building build-bench/tobrulant.
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
convert "$(dirname "$GAME")/data/gfx/bg_menu.jpg" -crop 440x540+360+0 +repage "$HOME_DIR/title.png"
export LIBGL_ALWAYS_SOFTWARE=1 SDL_AUDIODRIVER=dummy BENCH_GAME="$(realpath "$GAME")" BENCH_HOME="$HOME_DIR"
export SPAN RUNS FULL BENCH_TITLE="$HOME_DIR/title.png"
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
    # Polled until the title shows, scaled back to 800 x 600 in full screen; 120 s is a fault.
    win=""
    shown=no
    end=$(( $(date +%s) + 120 ))
    while [ "$(date +%s)" -lt "$end" ] && kill -0 "$pid" 2>/dev/null; do
      [ -n "$win" ] || win=$(xdotool search --pid "$pid" --name "^Tobrulant\$" 2>/dev/null | head -1)
      if [ -n "$win" ]; then
        d=$(import -window "$win" png:- 2>/dev/null | convert png:- -resize "800x600!" -crop 440x540+360+0 +repage png:- |
          compare -metric RMSE png:- "$BENCH_TITLE" null: 2>&1 | sed -n "s/.*(\(.*\)).*/\1/p")
        if awk -v d="${d:-1}" "BEGIN { exit !(d < 0.08) }"; then shown=yes; break; fi
      fi
      sleep 0.2
    done
    [ "$shown" = yes ] || { kill "$pid" 2>/dev/null; echo "the title screen never showed"; exit 1; }
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
