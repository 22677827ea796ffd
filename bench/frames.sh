#!/usr/bin/env bash
# What a frame of the game costs next to the least this GL can do for one picture: builds the
# release game and the glfloor reference, starts one virtual X server, and on it runs, one after
# the other, the reference paced at 100 frames a second (one opaque 800 x 600 picture), the game,
# and the reference again, for the title screen and for a late working day (hard, day 26, its
# notebook clicked away, the day left to itself). Prints each run's process CPU per frame and the
# game's as a ratio to the mean of the two reference runs around it; then the start-up time to
# the title screen without the logo screens (bench/startup_bench, fresh user folder), the day's
# first load in its process, and the resident memory peak of the whole day played to its summary
# on a 20 ms a frame clock. The machine's load comes with the figures: measure on a quiet machine.
#
# Usage: bench/frames.sh [SECONDS]      GLFLOOR=path/to/glfloor.c (default ../shared/tools/glfloor)
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/deps.sh
SPAN=${1:-10}
BUILD=${TOB_BENCH_BUILD:-build-bench}
GLFLOOR_SRC=${GLFLOOR:-../shared/tools/glfloor/glfloor.c}
[ -f "$GLFLOOR_SRC" ] || { echo "frames.sh: no glfloor.c at $GLFLOOR_SRC (set GLFLOOR)"; exit 1; }
[ -f "$BUILD/CMakeCache.txt" ] || cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOB_BENCH=ON >/dev/null
cmake --build "$BUILD" --target frame_bench startup_bench gamedata -j "$TOB_JOBS" >/dev/null
REF=$(mktemp -d)
HOME_DIR=$(mktemp -d)
trap 'rm -rf "$REF" "$HOME_DIR"' EXIT
cc -O2 -o "$REF/glfloor" "$GLFLOOR_SRC" $(pkg-config --cflags --libs sdl2) -lGL

export LIBGL_ALWAYS_SOFTWARE=1 SDL_AUDIODRIVER=dummy SPAN BENCH_HOME="$HOME_DIR"
export FLOOR="$REF/glfloor" GAME="$PWD/$BUILD/frame_bench" STARTUP="$PWD/$BUILD/startup_bench"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  fresh() {
    rm -rf "$BENCH_HOME/hospital"
    mkdir -p "$BENCH_HOME/hospital/0"
    printf "FULLSCREEN 0" > "$BENCH_HOME/hospital/0/video.cfg"
  }
  floor() { GLFLOOR_FPS=100 "$FLOOR" quad-linear 800 600 "$SPAN" | sed -n "s/.*cpu_ms\/frame=\([0-9.]*\).*/\1/p"; }
  # reference, game, reference: the ratio holds while the machine load drifts.
  side_by_side() {
    local name=$1
    shift
    local r1 r2 line game
    r1=$(floor)
    fresh
    line=$(HOME="$BENCH_HOME" "$GAME" "$@" | grep "^frame_bench")
    r2=$(floor)
    game=$(echo "$line" | sed -n "s/.*process \([0-9.]*\) ms\/frame.*/\1/p")
    awk -v n="$name" -v a="$r1" -v g="$game" -v b="$r2" "BEGIN {
      printf \"%-9s reference %.2f ms, game %.2f ms, reference %.2f ms: %.2fx the reference\\n\", n, a, g, b, 2 * g / (a + b) }"
    echo "          $line"
  }
  echo "load: $(uptime | sed "s/.*load average: //")"
  side_by_side title title "$SPAN"
  side_by_side "late day" day day26 hard "$SPAN"
  for i in 1 2 3; do
    fresh
    HOME="$BENCH_HOME" "$STARTUP" "$(date +%s%N)"
  done
  fresh
  HOME="$BENCH_HOME" "$GAME" fullday day26 hard | grep "^frame_bench"
  echo "load: $(uptime | sed "s/.*load average: //")"'
