#!/usr/bin/env bash
# What a frame of the game costs next to the least this GL can do for one picture, from a fresh
# clone: builds the release game, frame_bench and the project's own reference (frame_reference:
# one opaque 800 x 600 picture drawn over the window's size, paced at 100 frames a second) and
# runs them on one virtual X server (1024 x 768 unless --screen says otherwise):
#
# - side by side (reference, game, reference) in a window and full screen, for the title screen
#   and a late working day (hard, day 26, its notebook clicked away, left to itself): each run's
#   process CPU per frame and the game's ratio to the mean of the two reference runs around it;
# - the screens that stand still (title, the day's notebook, the pause menu) and the map, window
#   and full screen, against half the reference, and the pause menu against the running day;
# - frames shown under load: the game's day and the reference over the same seconds while two
#   busy programs per core run, and the game's share of the reference's frames;
# - the longest frame of each level change (the title's first seconds, title -> map -> day; and
#   after the day played to its summary on a quick clock: the summary standing, summary -> map
#   -> day), both as the longest step of the main loop (a level is built within one, its loading
#   screen shown meanwhile) and as the longest time between two frames ready; the start-up time,
#   the day's first load and the resident memory peak.
#
# The machine's load average comes with the figures: ratios hold on a busy machine, times stretch.
#
# Usage: bench/frames.sh [SECONDS] [--screen WxH]
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/deps.sh
SPAN=10
SCREEN=1024x768
while [ $# -gt 0 ]; do
  case "$1" in
  --screen) SCREEN=$2; shift 2 ;;
  *) SPAN=$1; shift ;;
  esac
done
BUILD=${TOB_BENCH_BUILD:-build-bench}
[ -f "$BUILD/CMakeCache.txt" ] || cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOB_BENCH=ON >/dev/null
cmake --build "$BUILD" --target frame_bench frame_reference startup_bench gamedata -j "$TOB_JOBS" >/dev/null
HOME_DIR=$(mktemp -d)
trap 'rm -rf "$HOME_DIR"' EXIT

export LIBGL_ALWAYS_SOFTWARE=1 SDL_AUDIODRIVER=dummy SPAN BENCH_HOME="$HOME_DIR"
export REFERENCE="$PWD/$BUILD/frame_reference" GAME="$PWD/$BUILD/frame_bench" STARTUP="$PWD/$BUILD/startup_bench"
xvfb-run -a -s "-screen 0 ${SCREEN}x24" bash -c '
  fresh() {
    rm -rf "$BENCH_HOME/hospital"
    mkdir -p "$BENCH_HOME/hospital/0"
    printf "FULLSCREEN 0" > "$BENCH_HOME/hospital/0/video.cfg"
  }
  field() { sed -n "s/.*$1 \([0-9.]*\) ms\/frame.*/\1/p"; }
  reference() { "$REFERENCE" "$1" "$SPAN" 2>/dev/null | field process; }
  game() {
    fresh
    # A full-screen profile starts full screen, as a fresh one does.
    [ "$1" = --full ] && printf "FULLSCREEN 1" > "$BENCH_HOME/hospital/0/video.cfg"
    HOME="$BENCH_HOME" "$GAME" "$@" 2>/dev/null | grep "^frame_bench"
  }
  load() { echo "load: $(uptime | sed "s/.*load average: //")"; }
  # reference, game, reference: the ratio holds while the machine load drifts. Sets r1, g, r2
  # and line (what the game reported) for the caller to print.
  measure() {
    local mode=$1 flag=""
    shift
    [ "$mode" = full ] && flag=--full
    r1=$(reference "$mode")
    line=$(game $flag "$@")
    r2=$(reference "$mode")
    g=$(echo "$line" | field process)
  }
  side_by_side() {
    local name=$1 r1 r2 line g
    shift
    measure "$@"
    awk -v n="$name" -v a="$r1" -v g="$g" -v b="$r2" "BEGIN {
      printf \"%-22s reference %.2f ms, game %.2f ms, reference %.2f ms: %.2fx the reference\\n\", n, a, g, b, 2 * g / (a + b) }"
    echo "    $line"
  }
  # A screen that stands still against half the reference measured around it.
  still() {
    local name=$1 r1 r2 line g
    shift
    measure "$@"
    awk -v n="$name" -v a="$r1" -v g="$g" -v b="$r2" "BEGIN {
      h = (a + b) / 4
      printf \"%-22s game %.2f ms against half the reference %.2f ms: %s\\n\", n, g, h, g <= h ? \"within\" : \"OVER\" }"
    echo "    $line"
  }

  echo "screen '"$SCREEN"', $(nproc) cores"
  load
  echo "== window and full screen against the reference"
  side_by_side "window title" window title "$SPAN"
  side_by_side "window late day" window day day26 hard "$SPAN"
  side_by_side "full screen title" full title "$SPAN"
  side_by_side "full screen late day" full day day26 hard "$SPAN"
  load

  echo "== screens that stand still, and the map"
  for mode in window full; do
    flag=""
    [ $mode = full ] && flag=--full
    still "$mode title" $mode title "$SPAN"
    still "$mode notebook" $mode notebook day26 hard "$SPAN"
    still "$mode pause menu" $mode pause day26 hard "$SPAN"
    still "$mode map (animated)" $mode map map25 hard "$SPAN"
    p=$(game $flag pause day26 hard "$SPAN" | field process)
    d=$(game $flag day day26 hard "$SPAN" | field process)
    awk -v p="$p" -v d="$d" -v m=$mode "BEGIN {
      printf \"%-22s pause menu %.2f ms, running day %.2f ms: %s\\n\", m, p, d, p <= d ? \"no more than the day\" : \"MORE than the day\" }"
  done
  load

  echo "== frames shown under load: two busy programs per core"
  busy=()
  for i in $(seq $((2 * $(nproc)))); do
    sh -c "while :; do :; done" &
    busy+=($!)
  done
  trap '"'"'kill "${busy[@]}" 2>/dev/null'"'"' EXIT
  ready="$BENCH_HOME/ready"
  rm -f "$ready"
  fresh
  # Full screen from the start: a window without the focus waits for it, and the reference
  # covers the screen first.
  printf "FULLSCREEN 1" > "$BENCH_HOME/hospital/0/video.cfg"
  # The reference draws first and measures from the moment the game starts its measured seconds;
  # both full screen, where the game runs whichever window has the focus.
  FRAME_REFERENCE_AFTER="$ready" "$REFERENCE" full "$SPAN" > "$BENCH_HOME/reference.txt" 2>/dev/null &
  refpid=$!
  HOME="$BENCH_HOME" FRAME_BENCH_READY="$ready" "$GAME" --full day day26 hard "$SPAN" 2>/dev/null | grep "^frame_bench" > "$BENCH_HOME/game.txt" || true
  wait $refpid || true
  load
  for pid in "${busy[@]}"; do kill "$pid"; done
  wait "${busy[@]}" 2>/dev/null || true
  g=$(sed -n "s/.* \([0-9.]*\) frames\/s.*/\1/p" "$BENCH_HOME/game.txt")
  r=$(sed -n "s/.* \([0-9.]*\) frames\/s.*/\1/p" "$BENCH_HOME/reference.txt")
  awk -v g="$g" -v r="$r" "BEGIN { printf \"game %.1f frames/s, reference %.1f frames/s: %.0f %% of the reference\\n\", g, r, 100 * g / r }"
  sed "s/^/    /" "$BENCH_HOME/game.txt" "$BENCH_HOME/reference.txt"

  echo "== level changes: the longest step of the main loop, and the longest time between two frames ready"
  changes() {
    game "$@" | tee "$BENCH_HOME/changes.txt" | sed -n "s/^frame_bench \([^:]*\):.* max \([0-9.]*\) ms, over 20.* between two frames ready \([0-9.]*\) ms.*/\1: step \2 ms, between frames \3 ms/p"
    sed "s/^/    /" "$BENCH_HOME/changes.txt"
  }
  changes changes day26 hard
  changes --full changes day26 hard
  changes fullday day25 hard
  for i in 1 2 3; do
    fresh
    HOME="$BENCH_HOME" "$STARTUP" "$(date +%s%N)"
  done
  load'
