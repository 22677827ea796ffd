#!/bin/sh
# The bot on every working day of the three level lists, or a long random-input session:
#   tools/bot_all.sh                 each list's table (money against the goals, cured, lost) and
#                                    the frame times of its longest ward day; the three lists
#                                    play side by side
#   tools/bot_all.sh --human         the same played by a newcomer who knows only what is drawn (README)
#   tools/bot_all.sh --seed=N        another seed for the game's chances (and the newcomer's aim)
#   tools/bot_all.sh --tries=1       a lost day not played again (by default up to four tries)
#   tools/bot_all.sh --human --difficulty=hard   one list's table
#   tools/bot_all.sh --no-cure       a bot that never examines nor medicates
#   tools/bot_all.sh --no-draw       the working days undrawn: the same tables, several times faster
#                                    (with --human its pictures are noted, only not painted)
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
export LIBGL_ALWAYS_SOFTWARE=1 SDL_AUDIODRIVER=dummy ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
case " $* " in
*" --random="*) exec ./test_bot "$@" ;;
*" --difficulty="*) exec ./test_bot --all "$@" ;;
esac
# The three lists side by side, each on a virtual display of its own; their tables in order.
status=0 pids=""
for d in easy medium hard; do
  ./test_bot --all --difficulty=$d "$@" > "bot_$d.txt" 2>&1 &
  pids="$pids $!"
done
for p in $pids; do wait "$p" || status=1; done
cat bot_easy.txt bot_medium.txt bot_hard.txt
exit $status
