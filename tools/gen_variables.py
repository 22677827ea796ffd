#!/usr/bin/env python3
"""Writes data/variables.xml, the default values of the entity prototypes' exported variables,
from patients.csv (species: disease names, reaction sounds, coughs, pay), variables.csv (tip
texts, shop help texts, perk tuning) and the pharmacy counter the ward's background paints, which
every cabinet lays its medicines out on.

Usage: gen_variables.py --patients tools/patients.csv --variables tools/variables.csv --out FILE
"""

import argparse
import os
import sys
from xml.sax.saxutils import quoteattr

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import tobgen  # noqa: E402
import campaign  # noqa: E402

CABINETS = ("LEKARNA", "LEKARNA2", "LEKARNA3", "LEKARNA4")
REACTIONS = (("soundexithappy", "EXITHAPPY"), ("soundexitangry", "EXITANGRY"), ("soundmeds", "MEDS"),
             ("soundpanic", "PANIC"))


def records(patients, variables):
    out = []  # [(entity, [(variable, value)])], in file order
    by_name = {}

    def put(entity, var, value):
        if entity not in by_name:
            by_name[entity] = []
            out.append((entity, by_name[entity]))
        if any(v == var for v, _ in by_name[entity]):
            raise SystemExit("%s: variable %s given twice" % (entity, var))
        by_name[entity].append((var, value))

    for r in tobgen.read_catalogue(patients):
        name = r["prototype"]
        if r["disease"] != "_":
            put(name, "diseasename", r["disease"])
        for var, key in REACTIONS:
            for n in (1, 2):
                put(name, "%s%d" % (var, n), "%s_%s%d" % (key, r["voice"], n))
        put(name, "maxkaselcount", str(int(r["coughs"])))
        put(name, "colorbonus", r["colorbonus"])
        put(name, "fastservice", r["fastservice"])
        put(name, "money", "%g" % float(r["money"]))
    for r in tobgen.read_catalogue(variables):
        put(r["entity"], r["variable"], r["value"])
    x0, top, x1, _, base = campaign.COUNTER
    for name in CABINETS:
        for var, value in (("counterleft", x0), ("countertop", top), ("counterright", x1), ("counterbase", base)):
            put(name, var, str(value))
    return out


def build(recs):
    lines = ['<?xml version="1.0" encoding="UTF-8"?>', "<variables>"]
    for entity, pairs in recs:
        attrs = "".join(" %s=%s" % (k, quoteattr(v)) for k, v in pairs)
        lines.append("  <entity name=%s%s/>" % (quoteattr(entity), attrs))
    lines.append("</variables>")
    return "\n".join(lines) + "\n"


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--patients", required=True)
    ap.add_argument("--variables", required=True)
    ap.add_argument("--out", required=True)
    args = ap.parse_args()
    tobgen.write_if_changed(args.out, build(records(args.patients, args.variables)))


if __name__ == "__main__":
    main()
