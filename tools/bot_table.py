#!/usr/bin/env python3
"""Per-day tables of many bot runs, and the campaign's balance rules checked on them.

    tools/bot_table.py DIR [DIR...] [--goals=tools] [--partial] [--changed=DAY,DAY...]

Reads the tables tools/bot_seeds.sh keeps (human_LIST_SEED.txt: the newcomer, bot_LIST_SEED.txt:
the full bot) and prints, for each list and working day, the money against the goal over the
newcomer's seeds (median, lowest, highest), on how many seeds the day was lost, won with twice
the goal, reached the expert goal, the largest share of its money famous patients paid and on how
many seeds the win needed what they paid ("made"; a rule is broken where they paid more than the
ordinary cures of a won day), how many of the full bot's seeds reached the expert goal, its
median money against it, and the most the day made without cures; then the share of days won after the Tutorial, per list and per seed. A day's
line ends with the rules it breaks. With --goals=tools the money is set against the goals now in
tools/campaign.csv and tools/levels (to try goals before playing them again): the money a day
makes hardly depends on its goal. With --partial the days of runs still going count too (their
share of days won is then over fewer days). Days named in --changed (their ward or arrivals changed
since the earlier runs) are read from the last DIR only, or from the DIR numbered N (from 0) for
DAY@N; --exclude=FILE:DAY,... leaves out the day from tables whose file name starts with FILE.
"""
import csv
import os
import re
import statistics
import sys

LISTS = ["easy", "medium", "hard"]
LINE = re.compile(r"^(easy|medium|hard)\s+(\S+(?: \d+)?)\s+(day|lab)\s+money\s+(-?\d+) goal\s+(\d+) expert\s+(\d+)"
                  r"\s+cured\s+(\d+) lost\s+(\d+)\s+(EXPERT|goal|MISSED|UNFINISHED)(?:\s+famous (\d+))?")
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
    changed = {c.split("@")[0]: int(c.split("@")[1]) if "@" in c else -1 for c in changed}
    exclude = [e.split(":") for e in exclude]
    """runs[who][list][seed] = [(day, money, goal, expert, finished, famous), ...] in playing order."""
    goals = tool_goals() if retarget else {}
    runs = {"human": {}, "bot": {}, "nocure": {}}
    for folder in dirs:
        for name in sorted(os.listdir(folder)):
            m = FILE.match(name)
            if not m or (m.group(4) and not partial):
                continue
            who, lst, seed = m.group(1), m.group(2), int(m.group(3))
            days = []
            for line in open(os.path.join(folder, name), errors="replace"):
                r = LINE.match(line)
                if not r or r.group(3) != "day":
                    continue
                day, money, goal, expert = r.group(2), int(r.group(4)), int(r.group(5)), int(r.group(6))
                if day in changed and folder != dirs[changed[day]]:
                    continue
                if any(name.startswith(f) and day == d for f, d in exclude):
                    continue
                goal, expert = goals.get((lst, day), (goal, expert))
                days.append((day, money, goal, expert, r.group(9) != "UNFINISHED", int(r.group(10) or 0)))
            if days:
                runs[who].setdefault(lst, {})[seed] = days
    return runs


def by_day(seeds):
    """day -> list of its runs over the seeds, days in playing order."""
    out = {}
    for days in seeds.values():
        for d in days:
            out.setdefault(d[0], []).append(d)
    return out


def won(d):
    return d[4] and d[1] >= d[2]


def table(runs, lst, goals_of):
    human = by_day(runs["human"].get(lst, {}))
    bot = by_day(runs["bot"].get(lst, {}))
    n = len(runs["human"].get(lst, {}))
    print(f"\n{lst}: newcomer on {n} seeds, full bot on {len(runs['bot'].get(lst, {}))}")
    nocure = by_day(runs["nocure"].get(lst, {}))
    print(f"{'day':<13} {'goal':>5} {'expert':>6}  {'median':>6} {'low':>5} {'high':>5}  lost  2x  exp famous made"
          f"  bot-exp bot/exp  nocure  broken")
    broken_days = 0
    for day in list(human) + [d for d in bot if d not in human]:
        played = day in human
        rs = human.get(day) or [(day, 0, r[2], r[3], False, 0) for r in bot[day][:1]]
        ratios = sorted(r[1] / r[2] for r in rs)
        med = statistics.median(ratios)
        lost = sum(not won(r) for r in rs)
        twice = sum(won(r) and r[1] >= 2 * r[2] for r in rs)
        expert = sum(r[4] and r[1] >= r[3] for r in rs)
        # A win the famous patients decided: they paid more than all the ordinary cures together.
        # Wins they made: without what they paid the day would have been lost.
        famous = sum(won(r) and r[5] > r[1] - r[5] for r in rs)
        made = sum(won(r) and r[5] > 0 and r[1] - r[5] < r[2] for r in rs)
        share = max((r[5] / r[1] for r in rs if r[1] > 0), default=0)
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
            if lst == "hard":
                if not 0.9 <= med <= 1.3: why.append("median out of 0.9-1.3")
                mg = goals_of("medium", day)
                if mg is not None and goal < mg: why.append("below medium's goal")
            if lst != "easy" and expert: why.append("newcomer expert")
            if famous: why.append("famous decided")
        if day != "Tutorial" and b and bexp * 2 < len(b): why.append("bot expert<1/2")
        broken_days += bool(why)
        newcomer = (f"{med:6.2f} {ratios[0]:5.2f} {ratios[-1]:5.2f}  {lost:>4} {twice:>3} {expert:>4} {share:6.2f} {made:>4}"
                    if played else f"{'-':>6} {'-':>5} {'-':>5}  {'-':>4} {'-':>3} {'-':>4} {'-':>6} {'-':>4}")
        print(f"{day:<13} {goal:>5} {exp:>6}  {newcomer} {bexp:>4}/{len(b):<3} {bmed:6.2f}  {bare:6d}  {' '.join(why)}")
    # The share of working days after the Tutorial won, per seed and over all seeds.
    per_seed = []
    for seed, days in sorted(runs["human"].get(lst, {}).items()):
        after = [d for d in days if d[0] != "Tutorial"]
        per_seed.append((seed, sum(won(d) for d in after), len(after)))
    w, t = sum(p[1] for p in per_seed), sum(p[2] for p in per_seed)
    total = 100.0 * w / t if t else 0.0
    seeds = " ".join(f"{s}:{100.0 * a / b:.0f}" for s, a, b in per_seed if b)
    print(f"won after the Tutorial: {w}/{t} = {total:.1f} %  (per seed {seeds}); days breaking a rule: {broken_days}")
    return total


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
    totals = {lst: table(runs, lst, goals_of) for lst in LISTS if any(lst in runs[w] for w in runs)}
    totals = {k: v for k, v in totals.items() if k in runs["human"]}
    problems = []
    if "easy" in totals and totals["easy"] < 92: problems.append("easy total below 92 %")
    if "medium" in totals and not 70 <= totals["medium"] <= 85: problems.append("medium total out of 70-85 %")
    if "hard" in totals and not 45 <= totals["hard"] <= 65: problems.append("hard total out of 45-65 %")
    if "medium" in totals and "hard" in totals and totals["hard"] > totals["medium"] - 10:
        problems.append("hard not 10 points below medium")
    higher = [(d, g) for (lst, d), g in goals.items() if lst == "hard" and d != "Tutorial"]
    above = sum(g > goals.get(("medium", d), g) for d, g in higher)
    print(f"\nhard goal above medium's on {above} of {len(higher)} days after the Tutorial")
    if higher and above * 2 <= len(higher): problems.append("hard goal above medium's on too few days")
    print("totals: " + ", ".join(f"{k} {v:.1f} %" for k, v in totals.items()))
    print("rules broken: " + ("; ".join(problems) if problems else "none of the totals"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
