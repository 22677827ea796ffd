#!/bin/sh
# The lists played on many seeds at once, then their per-day tables (tools/bot_table.py):
#   tools/bot_seeds.sh                      the newcomer on seeds 1-12 and the full bot on seeds
#                                           1-6, each of the three lists
#   OUT=build-bot/set tools/bot_seeds.sh --human=41-72 --bot=41-52
#                                           the seeds the goals were set on
#   OUT=build-bot/check tools/bot_seeds.sh --human=73-104 --bot=53-64
#                                           the seeds the goals are checked on
#   tools/bot_seeds.sh --human=11-18 --bot=21-26 --lists="medium hard"
#   tools/bot_seeds.sh --bot=none           the newcomer alone
#   tools/bot_seeds.sh --no-cure=1-4        also the bot that never cures (what a day pays
#                                           without cures, which every goal must stay above)
#   tools/bot_seeds.sh --tries=1            a lost day not played again (by default the newcomer
#                                           and the full bot play it up to four times)
# Each run is `test_bot --all --difficulty=D --seed=S --no-draw` (with `--human` for the
# newcomer, whose pictures are then noted and not painted), its table kept in OUT/human_D_S.txt, OUT/bot_D_S.txt or OUT/nocure_D_S.txt; a table already there is kept, so a
# stopped batch goes on where it stopped. At most JOBS runs at a time (default one a core): each takes
# a core. BUILD as in bot_all.sh; OUT defaults to BUILD/seeds.
set -e
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build-bot}
JOBS=${JOBS:-$(nproc)}
human=1-12 bot=1-6 nocure=none lists="easy medium hard" tries=
for a in "$@"; do
  case "$a" in
  --human=*) human=${a#--human=} ;;
  --bot=*) bot=${a#--bot=} ;;
  --no-cure=*) nocure=${a#--no-cure=} ;;
  --lists=*) lists=${a#--lists=} ;;
  --tries=*) tries=$a ;;
  *) echo "unknown option $a" >&2; exit 2 ;;
  esac
done
if [ ! -f "$BUILD/CMakeCache.txt" ]; then
  cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOB_TESTS=ON >/dev/null
fi
cmake --build "$BUILD" -j"$JOBS" --target test_bot >/dev/null
OUT=${OUT:-$BUILD/seeds}
mkdir -p "$OUT"
OUT=$(cd "$OUT" && pwd)
seq_of() { [ "$1" = none ] || seq "${1%-*}" "${1#*-}"; }
# One line per run: who, list, seed; the newcomer's long runs first, the short ones fill the
# cores they leave.
runs=$( (for s in $(seq_of "$human"); do for d in $lists; do echo human $d $s; done; done
         for s in $(seq_of "$bot"); do for d in $lists; do echo bot $d $s; done; done
         for s in $(seq_of "$nocure"); do for d in $lists; do echo nocure $d $s; done; done) )
cd "$BUILD"
# One rasteriser thread a run: the runs fill the cores, more threads only wait on each other.
export LP_NUM_THREADS=0 LIBGL_ALWAYS_SOFTWARE=1 SDL_AUDIODRIVER=dummy ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
echo "$runs" | while read -r who d s; do
  f="$OUT/${who}_${d}_$s.txt"
  # A table is whole once its totals line is written.
  if grep -q "reached the goal" "$f" 2>/dev/null; then continue; fi
  case $who in human) opt="--human --no-draw $tries" ;; bot) opt="--no-draw $tries" ;; nocure) opt="--no-draw --no-cure" ;; esac
  echo "./test_bot --all --difficulty=$d --seed=$s $opt > $f.part 2>&1; mv $f.part $f"
done | xargs -d '\n' -P "$JOBS" -I{} sh -c '{}; true'
cd - >/dev/null
python3 tools/bot_table.py "$OUT"
