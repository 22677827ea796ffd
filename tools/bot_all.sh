#!/bin/sh
# The bot on every working day of the three level lists, or a long random-input session:
#   tools/bot_all.sh                 the table (money against the goals, cured, lost, speed) and
#                                    the frame times of the longest ward day
#   tools/bot_all.sh --random=20     random input for 20 game days (add --seed=N), under the
#                                    sanitizers when BUILD is a -DTOB_SANITIZE=ON build
# BUILD (default build-bot, made here without sanitizers for speed) must have -DTOB_TESTS=ON.
set -e
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build-bot}
if [ ! -f "$BUILD/CMakeCache.txt" ]; then
  cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOB_TESTS=ON >/dev/null
fi
cmake --build "$BUILD" -j"${JOBS:-3}" --target test_bot >/dev/null
cd "$BUILD"
[ $# -eq 0 ] && set -- --all
LIBGL_ALWAYS_SOFTWARE=1 SDL_AUDIODRIVER=dummy ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0} \
  ./test_bot "$@"
