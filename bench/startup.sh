#!/usr/bin/env bash
# Start-up benchmark: builds the release game library with its data, then starts the game's real
# start-up several times under a virtual X server with a fresh user folder (windowed) and prints,
# for each run, the time from process start to the end of start-up without the logo screens.
#
# How it is measured: the script reads the wall clock (date +%s%N) just before it starts the
# process and hands it over; bench/startup_bench.cpp runs runGame() up to the main loop and reads
# the clock again there. The logo screens (about 6.4 s, timed by the game itself on its game clock)
# are measured inside the engine (CEngineStartup::getLogoScreensMs) and subtracted.
#
# Usage: bench/startup.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/deps.sh
RUNS=${1:-3}
BUILD=${TOB_BENCH_BUILD:-build-bench}
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DTOB_BENCH=ON >/dev/null
cmake --build "$BUILD" --target startup_bench gamedata -j "$TOB_JOBS" >/dev/null

HOME_DIR=$(mktemp -d)
trap 'rm -rf "$HOME_DIR"' EXIT
export LIBGL_ALWAYS_SOFTWARE=1 SDL_AUDIODRIVER=dummy BENCH_EXE="$PWD/$BUILD/startup_bench" BENCH_HOME="$HOME_DIR" RUNS
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  for i in $(seq "$RUNS"); do
    rm -rf "$BENCH_HOME/hospital"
    mkdir -p "$BENCH_HOME/hospital/0"
    printf "FULLSCREEN 0" > "$BENCH_HOME/hospital/0/video.cfg"
    start=$(date +%s%N)
    HOME="$BENCH_HOME" "$BENCH_EXE" "$start"
  done'
