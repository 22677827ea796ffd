"""The campaign: the level list of every difficulty and the levels it describes in
tools/campaign.csv, one row per entry in playing order.

Kinds of row:
  template  the level is tools/levels/NAME.level
  comic     a comic page: the title and three captions (intro column, '|' between them),
            painted as the page's background under the "COMIC" entity
  day       a working day on the ward, built from the columns below
  map       the world map after a day or a lab: one finished-day icon per working day before it
            that the player's record keeps (every one but the Tutorial), each on its day's
            numbered stop of the map's picture; "perks" in the things column offers a perk for the
            next working day (a lab comes straight after its day, the map after the lab), other
            things are decorations, a +NAME one new on that map: it arrives (fades in and flashes)
            while the map stands

Day columns (a value written a/b/c gives easy, medium and hard):
  time      the day's length in ms; arrivals are spread evenly over it
  goal      the money goal; expert: the expert goal
  patients  NAME=COUNT ... (the arrivals, so retuning a day is one edit here)
  beds      the beds in the slots of the ward, first slot first, numbered in that order
  things    furniture, staff, decorations, generators and tips (positions in THINGS below); a
            name written +NAME is new on the ward that day (the intro should name it). All
            stand from the first moment, so the ward behind the notebook is the day's ward
  intro, outro  the notebook's text before the day ('|' breaks a line) and the summary's line
            after a day won
  introentity, entitydesc  what the intro announces (a prototype, shown beside the notebook)
            and the words under its picture
  monkey    the monkey's wait between rides in ms, on a day whose things hold OPICKAGENERATOR

A map's plaque shows the map level's name, which says what comes next.
"""

import csv
import os

DIFFICULTIES = ("easy", "medium", "hard")

# Bed slots of the ward; a band day's podium takes the fourth. A bed's work spot lies below its
# foot at the right, so a bed stands where no other bed, and not the counter, lies between that spot
# and the other places the player works from: two beds flank the floor in front of the counter, one
# stands at the left below the registration desk, two along the bottom right of the waiting couch.
# Each bed's picture fills five tile columns with free floor beside it, so the player walks round
# beds, never over them. Each y puts the tile the player works a bed from just below the bed's foot,
# 15 px under its work spot: near enough to work, her feet on the floor.
BED_SLOTS = [(229, 189), (581, 189), (41, 285), (389, 413), (581, 413)]
PODIUM_SLOT = 3
# The canopy bed is worked from 10 px higher up its picture (its work spot is 90 px below its top,
# not 100) and is drawn shorter to match; it stands 10 px lower so the spot's tile stays the same.
BED_DROP = {"POSTEL5C": 10}
# The pharmacy counter along the back wall (the background draws it): x0, top, x1, front, base. The
# ward grid blocks the floor under it (the 'x' tiles of its top row), so the player stands in front.
# The wall cabinets hang over it between the windows and lay their medicines out on its top;
# the big cabinet stands on its right end, its medicines to its left.
COUNTER = (326, 82, 552, 104, 124)
BIG_CABINET = "LEKARNA"
BIG_CABINET_PLACE = (466, 83)
# The wall clock painted on the wall (its centre); the clock entity covers it on its days. The
# alarm lamp hangs in the top left corner, where its tip points; its bulb is painted where its
# light shows, up left of the lamp.
WALL_CLOCK = (584, 44)
ALARM_PLACE = (22, 22)
ALARM_LIGHT = (ALARM_PLACE[0] - 22, ALARM_PLACE[1] - 20)

# Where each thing stands on the ward. Chairs, cabinets, trolleys and couches have one place for
# their kind; wall pieces take the wall places in the order the row lists them. The player starts
# in front of the counter; what she works at from the floor stands so that the tile she works it
# from lies just below its picture. Between the two rows of beds stand the trolley, the information
# desk and the toy box; patients wait for a bed in the aisle between the first two beds, clear of
# bed 4's patient and of a band day's musicians (a fourth one waiting touches bed 2's corner); the
# drink machine stands against the back wall at the right, beside the spray stand, whose click box
# begins where the visiting parents' waiting row ends (x 632). The notes board hangs right of the
# desk, clear of the diagnoses that rise from the desk chairs.
THINGS = {
    "SESTRADIAGNOZA": (16, 150), "PLAYER": (432, 56), "PLANT1": (0, 92), "GAUCCOLORS": (370, 186),
    "MEDDRINK": (690, 30), "TOYMATE": (668, 312), "STROMAUTOMAT": (672, 270), "SKRINKA": (180, 10),
    "KNIHOVNA": (581, 296), "ANTIV": (626, 30), "HULKAPODSTAVEC": (224, 66), "OPRAVAR": (550, 60),
    "HLASIC": ALARM_PLACE, "PODIUM": (367, 460), "SASEK": (800, 180), "DOKTORKA": (360, 100),
    "SESTRALEKARNASMALL": (470, 26), "SESTRAPULT": (230, 28), "PROPADLINA": (250, 128),
    "HOSPITAL4UPGRADE1": (236, 130), "KUKATKO": (96, 30), "MASOZRAVKA": (200, 24), "PARROT": (150, 24),
    "MOTYL": (430, 85), "BALCONY": (512, 0), "CEDULKASTAVY": (194, 60), "NOTES": (156, 8),
    "HODINY": (WALL_CLOCK[0] - 32, WALL_CLOCK[1] - 32),
    "WHITEPARTICLE": (380, 100), "REDSTARPARTICLE": (420, 96), "STARPARTICLE": (460, 104),
}
KIND_PLACES = {
    "ZIDLE": [(100, 190), (100, 120)], "LEKARNA": [(424, 10)], "VOZIK": [(200, 302)], "GAUC": [(20, 424)],
    "STUL": [(280, 316)], "WALL": [(96, 20), (192, 20)],
}
# Pieces hung in front of the wall.
WALL_PIECES = {"HOSPITAL%dUPGRADE%d" % (h, u) for h in (1, 2, 3) for u in (1, 2, 3)}
# Invisible pieces at (0, 0): generators, the difficulty adjuster, the tips' triggers.
AT_ORIGIN_ENDINGS = ("GENERATOR", "TRIGGER")
AT_ORIGIN = {"OBTIZNOSTADJUSTER", "KEYSINGAME"}
# Signs hang on a carrier of their own.
IN_DEADDER = {"CEDULKASTAVY"}

MAP_THINGS = {
    "MAPPERISKOP": (730, 180), "MAPRIVER2": (430, 520), "MAPVLAJKA3": (470, 300), "MAPVLAJKA4": (60, 250),
    "MAPKOLECKO2": (250, 110), "MAPASESTRA2": (590, 300), "MAPALETADLO": (96, 544), "DOMOVKOUR": (104, 288),
}
# The days' stops on the map's picture, day 1 first, round the island clear of the hospitals and
# the map's other pieces; each finished day's icon stands on its stop (day 2's as in map2 and
# map_events), and the Tutorial's stop has its tick painted. One stop per working day: a stop
# past the last day would stand unticked for good.
ICONS = [(130, 400), (180, 446), (350, 438), (446, 438), (488, 458), (534, 446), (580, 436), (632, 382),
         (648, 338), (672, 298), (592, 246), (550, 224), (512, 196), (462, 118), (416, 110), (362, 118),
         (316, 126), (186, 158), (156, 200), (180, 240), (222, 262), (266, 276), (312, 288), (336, 328),
         (428, 338), (428, 290)]

WARD_GRID = [
    "#########wwww###wwww#####",
    "#########################",
    "#########################",
    "c.........xxxxxxxx......#",
    "c.......................#",
    "c.......................#",
    "........................#",
    "........................#",
    "........................#",
    "........................#",
    "........................#",
    "........................#",
    "........................#",
    "........................#",
    "d.......................#",
    "d.......................#",
    "........................#",
    "........................#",
    "#########################",
]
OPEN_GRID = ["." * 25] * 19


class CampaignError(SystemExit):
    pass


def triple(value):
    """'a/b/c' or 'a' as the template form 'a | b | c' or 'a'."""
    parts = [p.strip() for p in value.split("/")]
    if len(parts) not in (1, 3):
        raise CampaignError("campaign value '%s' needs one part or three (easy/medium/hard)" % value)
    return " | ".join(parts)


def kind_of(name):
    for kind in ("ZIDLE", "LEKARNA", "VOZIK", "GAUC"):
        if name.startswith(kind) and name != "GAUCCOLORS":
            return kind
    if name.startswith("HOSPITAL") and name.endswith("STUL"):
        return "STUL"
    if name in WALL_PIECES:
        return "WALL"
    return None


def read_rows(path):
    rows = []
    with open(path, encoding="utf-8", newline="") as f:
        lines = [ln for ln in f if ln.strip() and not ln.lstrip().startswith("#")]
    for n, r in enumerate(csv.DictReader(lines), start=2):
        r = {k: (v or "").strip() for k, v in r.items()}
        r["row"] = n
        rows.append(r)
    return rows


def place_things(names, where):
    """Entities lines for a day's things; a +name is new that day and stands like the rest."""
    used = {k: 0 for k in KIND_PLACES}
    lines = []
    for token in names:
        name = token.lstrip("+")
        kind = kind_of(name)
        if name.endswith(AT_ORIGIN_ENDINGS) or name in AT_ORIGIN:
            x, y = 0, 0
        elif name == BIG_CABINET:
            x, y = BIG_CABINET_PLACE
        elif kind:
            places = KIND_PLACES[kind]
            if used[kind] >= len(places):
                raise CampaignError("%s: no place left for %s" % (where, name))
            x, y = places[used[kind]]
            used[kind] += 1
        elif name in THINGS:
            x, y = THINGS[name]
        else:
            raise CampaignError("%s: no place known for %s (tools/campaign.py THINGS)" % (where, name))
        if name in IN_DEADDER:
            lines.append("deadder %d %d %s" % (x, y, name))
        else:
            lines.append("entity %s %d %d" % (name, x, y))
    return lines


def day_level(r, where, day_number):
    things = r["things"].split()
    names = [t.lstrip("+") for t in things]
    taken = {PODIUM_SLOT} if "PODIUM" in names else set()
    slots = [s for k, s in enumerate(BED_SLOTS) if k not in taken]
    beds = r["beds"].split()
    if len(beds) > len(slots):
        raise CampaignError("%s: %d beds but %d bed places" % (where, len(beds), len(slots)))
    # Placed first, so their numbers follow the list (each bed placed takes the next number).
    entities = ["entity %s %d %d" % (bed, x, y + BED_DROP.get(bed, 0)) for bed, (x, y) in zip(beds, slots)]
    # The nurse at the cabinet shows only while it prepares a medicine.
    nurse = [] if "SESTRALEKARNASMALL" in names else ["SESTRALEKARNASMALL"]
    entities += place_things(["SESTRADIAGNOZA"] + nurse + things + ["PLAYER"], where)
    entities += ["entity STATUSBAR 0 540", "entity KEYSINGAME 0 0", "entity KURZOR 400 300"]
    patients = []
    for token in r["patients"].split():
        name, _, count = token.partition("=")
        if not count:
            raise CampaignError("%s: patient '%s' needs =COUNT" % (where, token))
        patients.append("%s count=%s" % (name, triple(count).replace(" ", "")))
    defs = [("tiledef", "tiles.xml"), ("name", r["title"] or "Day %d" % day_number),
            ("music", r.get("music") or "classic"), ("time", triple(r["time"])),
            ("moneyLimit", triple(r["goal"])), ("expertMoney", triple(r["expert"])), ("m", "100"), ("e", "200"),
            ("outbreakDelay", "6000 | 5000 | 4500"), ("pregenerate", "0"), ("maxcolors", "3")]
    names = [t.lstrip("+") for t in things]
    if "OBTIZNOSTADJUSTER" in names:
        defs += [("zacatekpauzy", "40000 | 45000 | 50000"), ("zacatekpauzyrand", "10000"),
                 ("delkapauzy", "12000 | 10000 | 8000")]
    if ("OPICKAGENERATOR" in names) != bool(r.get("monkey")):
        raise CampaignError("%s: the monkey column and OPICKAGENERATOR in things go together" % where)
    if r.get("monkey"):
        defs.append(("monkeyTimer", triple(r["monkey"])))
    grid = list(WARD_GRID)
    if "SASEK" in names:
        # The jester peeks in through a gap in the right wall.
        for row in (7, 8):
            grid[row] = grid[row][:24] + "."
    texts = {k: r.get(k, "") for k in ("intro", "outro", "introentity", "entitydesc")}
    return dict(defs=defs, map=[("background", "bg_ward.jpg"), ("painter", "ward")], patients=patients,
                entities=entities, grid=grid, texts={k: v for k, v in texts.items() if v})


def map_level(r, base, days):
    if days < 1 or days > len(ICONS):
        raise CampaignError("row %d: a map after %d days (icons for 1 to %d)" % (r["row"], days, len(ICONS)))
    things = r["things"].split()
    entities = [ln for ln in base["entities"] if not ln.split()[1:2] == ["LEVELCOMPLETED"]
                and not ln.split()[1:2] == ["KURZOR"]]
    # Icon n shows the n-th day the record keeps: the Tutorial (day 1) is not kept, so the icons
    # stand on the stops of days 2 onwards. Placed on their own, in list order, they keep their
    # numbering (an adder would carry them and change it).
    entities += ["entity LEVELCOMPLETED %d %d" % icon for icon in ICONS[1:days]]
    for token in things:
        name = token.lstrip("+")
        if name == "perks":
            continue
        if name not in MAP_THINGS:
            raise CampaignError("row %d: no place known for %s on the map" % (r["row"], name))
        x, y = MAP_THINGS[name]
        # What is new on this map arrives through an adder: it fades in and flashes with a sound.
        if token.startswith("+"):
            entities.append("adder %d %d %s" % (x, y, name))
        else:
            entities.append("entity %s %d %d" % (name, x, y))
    entities.append("entity KURZOR 400 300")
    defs = [(k, v) for k, v in base["defs"] if k != "perks"]
    if "perks" in things:
        defs.append(("perks", "1"))
    return dict(defs=defs, map=base["map"], patients=[], entities=entities, grid=base["grid"], texts={})


def comic_level(r):
    captions = [c.strip() for c in r["intro"].split("|")]
    if len(captions) != 3:
        raise CampaignError("row %d: a comic page needs three captions, not %d" % (r["row"], len(captions)))
    entities = ["entity COMIC 0 0"] + ["entity %s 0 0" % t for t in r["things"].split()] + ["entity KURZOR 400 300"]
    defs = [("tiledef", "tiles.xml"), ("name", r["title"]), ("music", r.get("music") or "menu"), ("time", "0"),
            ("moneyLimit", "0")]
    return dict(defs=defs, map=[("background", "comic_%s.jpg" % r["name"]), ("painter", "comic")], patients=[],
                entities=entities, grid=list(OPEN_GRID), texts={}, captions=captions, title=r["title"])


def load(path, read_template, tiles_grid):
    """The campaign's entries in list order: (name, level or None for a template)."""
    rows = read_rows(path)
    out, days = [], 0
    base_map = None
    for r in rows:
        name, kind = r["name"], r["kind"]
        where = "campaign.csv row %d (%s)" % (r["row"], name)
        if kind == "template":
            level = read_template(name)
        elif kind == "day":
            level = day_level(r, where, days + 1)
        elif kind == "map":
            base_map = base_map or read_template("map1")
            level = map_level(r, base_map, days)
        elif kind == "comic":
            level = comic_level(r)
        else:
            raise CampaignError("%s: unknown kind '%s'" % (where, kind))
        level["name"] = name
        level["grid"] = tiles_grid(level["grid"], where) if isinstance(level["grid"][0], str) else level["grid"]
        if any(k == "time" and v.split("|")[0].strip() not in ("0", "") for k, v in level["defs"]):
            days += 1
            level["day"] = days
        out.append(level)
    if days != len(ICONS):
        raise CampaignError("campaign.csv: %d working days, but the map's picture has %d stops (campaign.ICONS)"
                            % (days, len(ICONS)))
    labs = lab_days(out)
    for k, level in enumerate(out):
        if dict(level["map"]).get("painter") == "worldmap":
            level["defs"] = [(d, next_caption(out[k + 1:]) if d == "name" else v) for d, v in level["defs"]]
            level["lab_days"] = labs
    return out


def lab_days(levels):
    """The working days a laboratory follows: the map marks their stops."""
    days, day = [], 0
    for level in levels:
        day = level.get("day", day)
        if dict(level["map"]).get("painter") == "lab" and day:
            days.append(day)
    return days


def next_caption(rest):
    """What the map's plaque says: the next working day or the season's end (no map stands
    before a lab)."""
    for level in rest:
        if "day" in level:
            return "Next: Day %d" % level["day"]
    return "All days done!"
