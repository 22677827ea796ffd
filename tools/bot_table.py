#!/usr/bin/env python3
"""Per-day tables of many bot runs, and the campaign's balance rules checked on them.

    tools/bot_table.py DIR [DIR...] [--goals=tools] [--partial] [--changed=DAY,DAY...] [--chances=K]

Reads the tables tools/bot_seeds.sh keeps (human_LIST_SEED.txt: the newcomer, bot_LIST_SEED.txt:
the full bot) and prints, for each list and working day, the money against the goal at the first
try over the newcomer's seeds (median, lowest, highest), on how many seeds the first try was lost,
the mean tries the day took (a lost day is played again up to four times; one never won counts
the tries played) and on how many seeds it was never won, how many first tries won with twice the
goal and how many tries reached the expert goal, the largest share of a day's money famous patients paid, the wins
of any try their pay made (the day's money without it under the goal) and the wins with more
patients lost than cured; then how many of the full bot's seeds reached the expert goal, its median
money against it, and the most the day made without cures. A day's line ends with the rules it
breaks. Per list follow the share of days after the Tutorial won at the first try (per seed too),
the share won at last, and the list's rules: the first-try share's band, no three days in a row
each losing its first try on more than half the seeds, at most one win in ten made by famous pay.
With --goals=tools the money is set against the goals now in tools/campaign.csv and tools/levels
(to try goals before playing them again): the money a day makes hardly depends on its goal. With
--partial the days of runs still going count too (their share of days won is then over fewer
days). Days named in --changed (their ward or arrivals changed since the earlier runs) are read
from the last DIR only, or from the DIR numbered N (from 0) for DAY@N; --exclude=FILE:DAY,...
leaves out the day from tables whose file name starts with FILE. Tables of one-try runs
(test_bot --tries=1) read as first tries only. --chances=K then draws K of the newcomer's seeds
again and again and says how often each rule would hold on them: how much a check on K seeds can
show.
"""
import csv
import os
import random
import re
import statistics
import sys

LISTS = ["easy", "medium", "hard"]
LINE = re.compile(r"^(easy|medium|hard)\s+(\S+(?: \d+)?)\s+(day|lab)\s+money\s+(-?\d+) goal\s+(\d+) expert\s+(\d+)"
                  r"\s+cured\s+(\d+) lost\s+(\d+)\s+(EXPERT|goal|MISSED|UNFINISHED)(?:\s+famous (\d+))?(?:\s+try (\d+))?")
FILE = re.compile(r"^(human|bot|nocure)_(easy|medium|hard)_(\d+)\.txt(\.part)?$")
TOOLS = os.path.dirname(os.path.abspath(__file__))


def tool_goals():
    """(list, day) -> (goal, expert) as the generators write them now."""
    goals = {}
    with open(os.path.join(TOOLS, "campaign.csv"), newline="") as f:
        rows = csv.DictReader(line for line in f if not line.startswith("#"))
        for row in rows:
            if row["kind"] == "day":
                for i, d in enumerate(LISTS):
                    goals[(d, row["name"])] = (int(row["goal"].split("/")[i]), int(row["expert"].split("/")[i]))
    folder = os.path.join(TOOLS, "levels")
    for name in os.listdir(folder):
        if not name.endswith(".level"):
            continue
        defs = {}
        for line in open(os.path.join(folder, name)):
            m = re.match(r"^(moneyLimit|expertMoney)\s*=\s*(.*)$", line)
            if m:
                v = [int(x) for x in m.group(2).split("|")]
                defs[m.group(1)] = v * 3 if len(v) == 1 else v
        if len(defs) == 2:
            for i, d in enumerate(LISTS):
                goals[(d, name[:-6])] = (defs["moneyLimit"][i], defs["expertMoney"][i])
    return goals


def read(dirs, retarget, partial=False, changed=(), exclude=()):
    """runs[who][list][seed] = [(day, money, goal, expert, finished, famous, cured, lost, attempt), ...]
    in playing order, each try of a day its own entry. Against goals set since (retarget), a try
    after one that meets its day's new goal is dropped: a person would not have played it."""
    changed = {c.split("@")[0]: int(c.split("@")[1]) if "@" in c else -1 for c in changed}
    exclude = [e.split(":") for e in exclude]
    bad = [":".join(e) for e in exclude if len(e) != 2]
    if bad:
        sys.exit(f"--exclude wants FILE:DAY items (human_hard_3:day05), not {', '.join(bad)}")
    goals = tool_goals() if retarget else {}
    runs = {"human": {}, "bot": {}, "nocure": {}}
    for folder in dirs:
        for name in sorted(os.listdir(folder)):
            m = FILE.match(name)
            if not m or (m.group(4) and not partial):
                continue
            who, lst, seed = m.group(1), m.group(2), int(m.group(3))
            days, won_days = [], set()
            for line in open(os.path.join(folder, name), errors="replace"):
                r = LINE.match(line)
                if not r or r.group(3) != "day":
                    continue
                day, money, goal, expert = r.group(2), int(r.group(4)), int(r.group(5)), int(r.group(6))
                if day in changed and folder != dirs[changed[day]]:
                    continue
                if any(name.startswith(f) and day == d for f, d in exclude):
                    continue
                if day in won_days:
                    continue
                goal, expert = goals.get((lst, day), (goal, expert))
                days.append((day, money, goal, expert, r.group(9) != "UNFINISHED", int(r.group(10) or 0),
                             int(r.group(7)), int(r.group(8)), int(r.group(11) or 1)))
                if won(days[-1]):
                    won_days.add(day)
            if days:
                runs[who].setdefault(lst, {})[seed] = days
    return runs


def by_day(seeds):
    """day -> its first tries over the seeds, days in playing order."""
    out = {}
    for days in seeds.values():
        for d in days:
            if d[8] == 1:
                out.setdefault(d[0], []).append(d)
    return out


def tries_by_day(seeds):
    """day -> for each seed that played it, its tries in order."""
    out = {}
    for days in seeds.values():
        mine = {}
        for d in days:
            mine.setdefault(d[0], []).append(d)
        for day, tries in mine.items():
            out.setdefault(day, []).append(tries)
    return out


def won(d):
    return d[4] and d[1] >= d[2]


def table(runs, lst, goals_of, say=print):
    """Prints the list's table through say; returns the first-try share, the list's own broken
    rules as (rule, text) and the rules its days break."""
    human = by_day(runs["human"].get(lst, {}))
    tried = tries_by_day(runs["human"].get(lst, {}))
    bot = by_day(runs["bot"].get(lst, {}))
    n = len(runs["human"].get(lst, {}))
    say(f"\n{lst}: newcomer on {n} seeds, full bot on {len(runs['bot'].get(lst, {}))}")
    nocure = by_day(runs["nocure"].get(lst, {}))
    say(f"{'day':<13} {'goal':>5} {'expert':>6}  {'median':>6} {'low':>5} {'high':>5}  lost tries never  2x  exp"
          f" famous made l>c  bot-exp bot/exp  nocure  broken")
    broken_days, day_rules = 0, set()
    walls, run = [], []
    for day in list(human) + [d for d in bot if d not in human]:
        played = day in human
        rs = human.get(day) or [(day, 0, r[2], r[3], False, 0, 0, 0, 1) for r in bot[day][:1]]
        every = [t for seed in tried.get(day, []) for t in seed]
        ratios = sorted(r[1] / r[2] for r in rs)
        med = statistics.median(ratios)
        lost = sum(not won(r) for r in rs)
        # A day never won counts the tries played.
        tries = statistics.mean(len(t) for t in tried[day]) if played else 0
        never = sum(not any(won(r) for r in t) for t in tried.get(day, []))
        twice = sum(won(r) and r[1] >= 2 * r[2] for r in rs)
        expert = sum(r[4] and r[1] >= r[3] for r in every)
        # Wins a famous patient's pay made: without it the day's money is under the goal.
        made = sum(won(r) and r[5] > 0 and r[1] - r[5] < r[2] for r in every)
        worse = sum(won(r) and r[7] > r[6] for r in every)
        share = max((r[5] / r[1] for r in every if r[1] > 0), default=0)
        b = bot.get(day, [])
        bexp = sum(r[4] and r[1] >= r[3] for r in b)
        bmed = statistics.median(r[1] / r[3] for r in b) if b else 0
        goal, exp = rs[0][2], rs[0][3]
        # The most a day made without cures, which its goal must stay well above.
        bare = max((r[1] for r in nocure.get(day, [])), default=0)
        why = []
        if bare and goal <= bare: why.append("met without cures")
        if day != "Tutorial" and played:
            if lst == "easy":
                if med < 1.3: why.append("median<1.3")
                if lost * 8 > len(rs): why.append("lost>1/8")
            if lst == "medium":
                if not 1.0 <= med <= 1.6: why.append("median out of 1.0-1.6")
                if lost * 2 > len(rs): why.append("lost>1/2")
                if twice == len(rs): why.append("2x on every seed")
                if tries > 1.5: why.append("tries>1.5")
            if lst == "hard":
                if not 0.9 <= med <= 1.3: why.append("median out of 0.9-1.3")
                mg = goals_of("medium", day)
                if mg is not None and goal < mg: why.append("below medium's goal")
                if tries > 2: why.append("tries>2")
            if expert: why.append("newcomer expert")
            if worse: why.append("won with more lost than cured")
        if day != "Tutorial" and b and bexp * 2 < len(b): why.append("bot expert<1/2")
        broken_days += bool(why)
        day_rules.update(why)
        # Three days in a row, each losing its first try on more than half the seeds, are a wall.
        if played:
            run = run + [day] if lost * 2 > len(rs) else []
            if len(run) == 3: walls.append(run[0])
        newcomer = (f"{med:6.2f} {ratios[0]:5.2f} {ratios[-1]:5.2f}  {lost:>4} {tries:5.2f} {never:>5} {twice:>3}"
                    f" {expert:>4} {share:6.2f} {made:>4} {worse:>3}"
                    if played else f"{'-':>6} {'-':>5} {'-':>5}  {'-':>4} {'-':>5} {'-':>5} {'-':>3} {'-':>4} {'-':>6}"
                                   f" {'-':>4} {'-':>3}")
        say(f"{day:<13} {goal:>5} {exp:>6}  {newcomer} {bexp:>4}/{len(b):<3} {bmed:6.2f}  {bare:6d}  {' '.join(why)}")
    # The share of working days after the Tutorial won at the first try, per seed and over all
    # seeds, and the share won at last.
    per_seed, at_last, wins, made_wins, tries_all = [], 0, 0, 0, []
    for seed, days in sorted(runs["human"].get(lst, {}).items()):
        after = [d for d in days if d[0] != "Tutorial"]
        first = [d for d in after if d[8] == 1]
        per_seed.append((seed, sum(won(d) for d in first), len(first)))
        at_last += sum(won(d) for d in after)
        wins += sum(won(d) for d in days)
        made_wins += sum(won(d) and d[5] > 0 and d[1] - d[5] < d[2] for d in days)
    for day, seeds in tried.items():
        if day != "Tutorial":
            tries_all += [len(t) for t in seeds]
    w, t = sum(p[1] for p in per_seed), sum(p[2] for p in per_seed)
    total = 100.0 * w / t if t else 0.0
    seeds = " ".join(f"{s}:{100.0 * a / b:.0f}" for s, a, b in per_seed if b)
    spread = f", per seed {min(100.0 * a / b for _, a, b in per_seed if b):.0f}-" \
             f"{max(100.0 * a / b for _, a, b in per_seed if b):.0f} %" if t else ""
    say(f"won at the first try after the Tutorial: {w}/{t} = {total:.1f} %{spread} ({seeds});"
          f" won at last {at_last}/{t}, {statistics.mean(tries_all) if tries_all else 0:.2f} tries a day;"
          f" days breaking a rule: {broken_days}")
    problems = []
    if walls:
        problems.append(("a wall of lost first tries", f"{lst}: a wall of lost first tries from " + ", ".join(walls)))
    if made_wins * 10 > wins:
        problems.append(("more than a win in ten made by famous pay", f"{lst}: {made_wins} of {wins} wins made by famous pay"))
    return total, problems, day_rules


def band_problems(totals):
    """The first-try shares' bands, as (rule, text)."""
    out = []
    if "easy" in totals and totals["easy"] < 92: out.append(("easy band", "easy: first tries won below 92 %"))
    if "medium" in totals and not 70 <= totals["medium"] <= 85:
        out.append(("medium band", "medium: first tries won out of 70-85 %"))
    if "hard" in totals and not 45 <= totals["hard"] <= 65: out.append(("hard band", "hard: first tries won out of 45-65 %"))
    if "medium" in totals and "hard" in totals and totals["hard"] > totals["medium"] - 10:
        out.append(("hard 10 points below medium", "hard's first tries not 10 points below medium's"))
    return out


def chances(runs, goals_of, k, draws=2000):
    """How often each rule would hold on k newcomer seeds drawn (with replacement) from these:
    what a check on k seeds nobody tuned with can be expected to show."""
    rng = random.Random(1)
    broke, lists = {}, [lst for lst in LISTS if lst in runs["human"]]
    for _ in range(draws):
        broken = set()
        totals = {}
        for lst in lists:
            seeds = list(runs["human"][lst].values())
            drawn = dict(runs, human={lst: {i: rng.choice(seeds) for i in range(k)}})
            total, problems, day_rules = table(drawn, lst, goals_of, say=lambda *a: None)
            totals[lst] = total
            broken |= {f"{lst}: {r}" for r in day_rules} | {f"{lst}: {p[0]}" for p in problems}
        broken |= {p[0] for p in band_problems(totals)}
        for r in broken:
            broke[r] = broke.get(r, 0) + 1
        broke["every rule"] = broke.get("every rule", 0) + bool(broken)
    print(f"\nOn {k} newcomer seeds drawn {draws} times from these, the share of draws each rule holds"
          " (rules that always hold not listed):")
    for r, n in sorted(broke.items(), key=lambda x: -x[1]):
        print(f"  {100.0 * (draws - n) / draws:5.1f} %  {r}")


def options(prefix):
    """The comma-separated values of every option starting with prefix."""
    return [v for a in sys.argv if a.startswith(prefix) for v in a[len(prefix):].split(",")]


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    retarget = "--goals=tools" in sys.argv
    if not args:
        print(__doc__)
        return 2
    runs = read(args, retarget, "--partial" in sys.argv, options("--changed="), options("--exclude="))
    goals = {}
    for lst, seeds in list(runs["bot"].items()) + list(runs["human"].items()):
        for days in seeds.values():
            for d in days:
                goals[(lst, d[0])] = d[2]
    goals_of = lambda lst, day: goals.get((lst, day))
    tables = {lst: table(runs, lst, goals_of) for lst in LISTS if any(lst in runs[w] for w in runs)}
    totals = {k: v[0] for k, v in tables.items() if k in runs["human"]}
    problems = [p[1] for k, v in tables.items() if k in runs["human"] for p in v[1]]
    problems += [p[1] for p in band_problems(totals)]
    higher = [(d, g) for (lst, d), g in goals.items() if lst == "hard" and d != "Tutorial"]
    above = sum(g > goals.get(("medium", d), g) for d, g in higher)
    print(f"\nhard goal above medium's on {above} of {len(higher)} days after the Tutorial")
    if higher and above * 2 <= len(higher): problems.append("hard goal above medium's on too few days")
    print("won at the first try: " + ", ".join(f"{k} {v:.1f} %" for k, v in totals.items()))
    print("rules broken: " + ("; ".join(problems) if problems else "none of the lists'"))
    draw = options("--chances=")
    if draw:
        chances(runs, goals_of, int(draw[0]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
