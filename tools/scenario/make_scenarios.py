#!/usr/bin/env python3
"""Writes the scenario masters, the name lists and the province map of data/ini from the tables
beside this script, after checking every rule the game relies on.

    python3 tools/scenario/make_scenarios.py            # write data/ini
    python3 tools/scenario/make_scenarios.py --check    # fail if data/ini differs from the tables

Tables (UTF-8, tab-separated, first line a header):
  people.tsv     one row per person: key (portrait name), name, policy, fight, wisdom, tactics,
                 charm, setu, job when not a lord, then per start year the key of the lord he
                 serves ("0" free, "-" absent; a lord names himself), then the comment, its
                 lines separated by "|".
  warlords.tsv   per start year, in id order: faction name, lord key, key of the alliance
                 leader's lord ("0" none), seihei, meisei, tian, kessoku, ifu.
  provinces.tsv  in id order: name, region, longitude, latitude, then owner (lord key or "0")
                 and troops for each start year.
  sei.txt, mei.txt  surnames and given names, one a line.

Standard library only; output is deterministic (same tables, same bytes).
"""

import argparse
import re
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
DEFAULT_OUT = HERE.parent.parent / "data" / "ini"

# start year -> (file suffix, generals in the master, warlords)
SCENARIOS = {
    "189": ("1", 155, 13),
    "195": ("2", 155, 12),
    "200": ("", 160, 13),
}
REGIONS = ["荊州", "益州", "揚州", "豫州", "徐州", "冀州", "幽州", "雍州", "涼州"]
PROVINCE_COUNT = 48
JOBS_NOT_LORD = {1, 2, 3, 4, 6}
JOB_LORD = 5
ABILITY_MAX = 10
SETU_MAX = 15
MIN_SURNAMES = 170
MIN_GIVEN_NAMES = 150
INT16 = (-32768, 32767)

# The map is a 1000 x 800 plane: x 0 at 95°E, 1000 at 123°E; y 0 at 42°N, 800 at 22°N.
MAP_W, MAP_H = 1000, 800
LON_W, LON_E = 95.0, 123.0
LAT_N, LAT_S = 42.0, 22.0
MAP_MARGIN = 10


class TableError(Exception):
    pass


def fail(where, message):
    raise TableError(f"{where}: {message}")


def read_tsv(path):
    lines = path.read_text(encoding="utf-8").splitlines()
    if not lines:
        fail(path.name, "empty table")
    header = lines[0].split("\t")
    rows = []
    for n, line in enumerate(lines[1:], start=2):
        if not line.strip():
            continue
        cells = line.split("\t")
        if len(cells) != len(header):
            fail(f"{path.name} line {n}", f"{len(cells)} cells, the header has {len(header)}")
        rows.append((n, dict(zip(header, cells))))
    return rows


def to_int(where, text):
    if not re.fullmatch(r"-?\d+", text):
        fail(where, f"'{text}' is not a whole number")
    return int(text)


def check_text(where, text):
    """A text item must survive the list reader and a Shift-JIS game folder."""
    if text == "":
        fail(where, "empty text")
    if '"' in text or "," in text:
        fail(where, f"'{text}' holds a quote or a comma, which the list reader would split")
    if text != text.strip():
        fail(where, f"'{text}' has leading or trailing blanks")
    try:
        text.encode("cp932")
    except UnicodeEncodeError as e:
        fail(where, f"'{text}' has '{text[e.start:e.end]}', which CP932 cannot hold")


def load_people():
    people = []
    keys, names = set(), set()
    for n, row in read_tsv(HERE / "people.tsv"):
        where = f"people.tsv line {n}"
        key, name = row["key"], row["name"]
        if not re.fullmatch(r"[a-z]+[0-9]", key):
            fail(where, f"portrait name '{key}' must be lower-case letters and one digit")
        if key in keys:
            fail(where, f"portrait name '{key}' is used twice")
        check_text(where, name)
        if name in names:
            fail(where, f"two people are called '{name}'")
        keys.add(key)
        names.add(name)
        p = {"key": key, "name": name, "line": n}
        for field in ("policy", "fight", "wisdom", "tactics", "charm"):
            v = to_int(where, row[field])
            if not 1 <= v <= ABILITY_MAX:
                fail(where, f"{field} {v} is outside 1..{ABILITY_MAX}")
            p[field] = v
        p["setu"] = to_int(where, row["setu"])
        if not 1 <= p["setu"] <= SETU_MAX:
            fail(where, f"setu {p['setu']} is outside 1..{SETU_MAX}")
        p["job"] = to_int(where, row["job"])
        if p["job"] not in JOBS_NOT_LORD:
            fail(where, f"job {p['job']} must be 1, 2, 3, 4 or 6 (5 is given to lords only)")
        p["serves"] = {year: row["s" + year] for year in SCENARIOS}
        lines = row["comment"].split("|")
        if not 1 <= len(lines) <= 3:
            fail(where, f"a comment has one to three lines, this one {len(lines)}")
        for line in lines:
            check_text(where, line)
            if line.startswith("."):
                fail(where, "a comment line may not begin with '.' (it would end the comment)")
        p["comment"] = lines
        people.append(p)
    return people


def load_warlords():
    by_year = {year: [] for year in SCENARIOS}
    for n, row in read_tsv(HERE / "warlords.tsv"):
        where = f"warlords.tsv line {n}"
        year = row["scenario"]
        if year not in by_year:
            fail(where, f"unknown start year {year}")
        check_text(where, row["name"])
        w = {"name": row["name"], "lord": row["lord"], "leader": row["alliance_leader"], "line": n}
        for field in ("seihei", "meisei", "tian", "kessoku", "ifu"):
            w[field] = to_int(where, row[field])
        if not 0 <= w["seihei"] <= 15:
            fail(where, f"seihei {w['seihei']} is outside 0..15")
        if not 0 <= w["meisei"] <= 200:
            fail(where, f"meisei {w['meisei']} is outside 0..200")
        for field in ("tian", "kessoku", "ifu"):
            if not 0 <= w[field] <= 100:
                fail(where, f"{field} {w[field]} is outside 0..100")
        by_year[year].append(w)
    return by_year


def map_position(lon, lat):
    x = (lon - LON_W) / (LON_E - LON_W) * MAP_W
    y = (LAT_N - lat) / (LAT_N - LAT_S) * MAP_H
    # Places past the frame (遼東 lies a little east of 123°E) are kept on the map.
    x = min(max(round(x), MAP_MARGIN), MAP_W - MAP_MARGIN)
    y = min(max(round(y), MAP_MARGIN), MAP_H - MAP_MARGIN)
    return x, y


def load_provinces():
    provinces = []
    names = set()
    for n, row in read_tsv(HERE / "provinces.tsv"):
        where = f"provinces.tsv line {n}"
        check_text(where, row["name"])
        if row["name"] in names:
            fail(where, f"province '{row['name']}' is listed twice")
        names.add(row["name"])
        if row["region"] not in REGIONS:
            fail(where, f"region '{row['region']}' is not one of {'、'.join(REGIONS)}")
        try:
            lon, lat = float(row["longitude"]), float(row["latitude"])
        except ValueError:
            fail(where, "longitude and latitude must be numbers")
        if not (90 <= lon <= 125 and 20 <= lat <= 45):
            fail(where, f"{lon}, {lat} is not in China")
        p = {"name": row["name"], "region": row["region"], "pos": map_position(lon, lat),
             "owner": {}, "army": {}}
        for year in SCENARIOS:
            p["owner"][year] = row["owner" + year]
            p["army"][year] = to_int(where, row["army" + year])
            if not 1 <= p["army"][year] <= 100:
                fail(where, f"troops {p['army'][year]} in {year} are outside 1..100")
        provinces.append(p)
    if len(provinces) != PROVINCE_COUNT:
        fail("provinces.tsv", f"{len(provinces)} provinces, the map has {PROVINCE_COUNT}")
    return provinces


def load_names(filename, minimum):
    names = []
    for n, line in enumerate((HERE / filename).read_text(encoding="utf-8").splitlines(), start=1):
        name = line.strip()
        if not name:
            continue
        check_text(f"{filename} line {n}", name)
        if name in names:
            fail(f"{filename} line {n}", f"'{name}' is listed twice")
        names.append(name)
    if len(names) < minimum:
        fail(filename, f"{len(names)} names, the game draws from {minimum}")
    return names


def build_scenario(year, people, warlords, provinces):
    """Numbers one start: generals grouped by warlord (lord first), then the free ones."""
    _, general_count, warlord_count = SCENARIOS[year]
    where = f"start {year}"
    if len(warlords) != warlord_count:
        fail(where, f"{len(warlords)} warlords, the start has {warlord_count}")

    by_key = {p["key"]: p for p in people}
    present = [p for p in people if p["serves"][year] != "-"]
    lords = [w["lord"] for w in warlords]
    if len(set(lords)) != len(lords):
        fail(where, "a lord leads two warlords")
    for w in warlords:
        lord = by_key.get(w["lord"])
        if lord is None:
            fail(f"warlords.tsv line {w['line']}", f"lord '{w['lord']}' is not in people.tsv")
        if lord["serves"][year] != lord["key"]:
            fail(f"people.tsv line {lord['line']}",
                 f"{lord['name']} leads a warlord in {year} but serves '{lord['serves'][year]}'")
    for p in present:
        s = p["serves"][year]
        if s == p["key"] and s not in lords:
            fail(f"people.tsv line {p['line']}", f"{p['name']} serves himself in {year} but leads no warlord")
        if s != "0" and s not in lords:
            fail(f"people.tsv line {p['line']}", f"{p['name']} serves '{s}', who is no lord in {year}")

    ordered = []
    for w in warlords:
        ordered.append(by_key[w["lord"]])
        ordered += [p for p in present if p["serves"][year] == w["lord"] and p["key"] != w["lord"]]
    ordered += [p for p in present if p["serves"][year] == "0"]
    if len(ordered) != general_count:
        counts = {w["name"]: sum(1 for p in present if p["serves"][year] == w["lord"]) for w in warlords}
        free = sum(1 for p in present if p["serves"][year] == "0")
        fail(where, f"{len(ordered)} generals, the master holds {general_count} "
                    f"(per warlord {counts}, free {free})")

    gid = {p["key"]: i for i, p in enumerate(ordered, start=1)}
    generals = []
    for p in ordered:
        s = p["serves"][year]
        kun = 0 if s == "0" else gid[s]
        job = JOB_LORD if s == p["key"] else p["job"]
        generals.append({**p, "kunID": kun, "Job": job})

    wid = {w["lord"]: i for i, w in enumerate(warlords, start=1)}
    owners = []
    for prov in provinces:
        o = prov["owner"][year]
        if o == "0":
            owners.append(0)
        elif o in wid:
            owners.append(wid[o])
        else:
            fail("provinces.tsv", f"{prov['name']} in {year} belongs to '{o}', who leads no warlord")

    records = []
    leaders = set()
    for i, w in enumerate(warlords, start=1):
        army = sum(prov["army"][year] for prov, o in zip(provinces, owners) if o == i)
        if army == 0:
            fail(f"warlords.tsv line {w['line']}", f"{w['name']} starts without a province in {year}")
        if w["leader"] == "0":
            meishu = 0
        else:
            leader = next((x for x in warlords if x["lord"] == w["leader"]), None)
            if leader is None or leader["leader"] != leader["lord"]:
                fail(f"warlords.tsv line {w['line']}",
                     f"{w['name']} follows '{w['leader']}', who leads no alliance in {year}")
            meishu = gid[w["leader"]]
            leaders.add(w["leader"])
        records.append({**w, "meishuID": meishu, "kunshuID": gid[w["lord"]], "army": army})
    if len(leaders) > 3:
        fail(where, f"{len(leaders)} alliances, the game has room for 3")
    for leader in leaders:
        if sum(1 for r in records if r["leader"] == leader) < 2:
            fail(where, f"the alliance of '{leader}' has no member besides its leader")
    return generals, records, owners


def check_int16(where, values):
    for v in values:
        if not INT16[0] <= v <= INT16[1]:
            fail(where, f"{v} does not fit 16 bits")


def quoted(text):
    return '"' + text + '"'


def lines_to_bytes(lines):
    return ("\r\n".join(lines) + "\r\n").encode("utf-8")


def general_file(generals):
    out = []
    for i, g in enumerate(generals, start=1):
        check_int16(g["name"], [g[f] for f in ("policy", "fight", "wisdom", "tactics", "charm", "setu")])
        out += [f".{i}", quoted(g["name"]),
                f"{g['policy']},{g['fight']},{g['wisdom']},{g['tactics']}",
                f"{g['charm']},{g['setu']}",
                f"{g['kunID']},{g['Job']}",
                quoted(g["key"])]
    return lines_to_bytes(out)


def warlord_file(records):
    out = []
    for i, w in enumerate(records, start=1):
        values = [w["meishuID"], w["kunshuID"], w["army"], w["seihei"], w["meisei"], w["tian"],
                  w["kessoku"], w["ifu"]]
        check_int16(w["name"], values)
        out += [f".{i}", quoted(w["name"]), ",".join(str(v) for v in values), quoted("FALSE")]
    return lines_to_bytes(out)


def province_file(provinces, owners, year):
    out = []
    for i, (p, o) in enumerate(zip(provinces, owners), start=1):
        out += [f".{i}", quoted(p["name"]), f"{o},{p['army'][year]}"]
    return lines_to_bytes(out)


def comment_file(generals):
    out = []
    for i, g in enumerate(generals, start=1):
        out += [f".{i}", quoted(g["name"])] + g["comment"] + ["."]
    return lines_to_bytes(out)


def map_file(provinces):
    out = []
    for i, p in enumerate(provinces, start=1):
        x, y = p["pos"]
        out += [f".{i}", f"{quoted(p['name'])},{quoted(p['region'])}", f"{x},{y}"]
    return lines_to_bytes(out)


def name_file(names):
    return lines_to_bytes([quoted(n) for n in names])


def build_all():
    people = load_people()
    warlords = load_warlords()
    provinces = load_provinces()
    files = {}
    summary = []
    for year, (suffix, _, _) in SCENARIOS.items():
        generals, records, owners = build_scenario(year, people, warlords[year], provinces)
        files[f"Bushou{suffix}.ini"] = general_file(generals)
        files[f"Gunbatu{suffix}.ini"] = warlord_file(records)
        files[f"Kuni{suffix}.ini"] = province_file(provinces, owners, year)
        files[f"Comment{suffix}.ini"] = comment_file(generals)
        free = sum(1 for g in generals if g["kunID"] == 0)
        unowned = owners.count(0)
        summary.append(f"{year}: {len(generals)} generals ({free} free), {len(records)} warlords, "
                       f"{PROVINCE_COUNT - unowned} provinces owned, {unowned} unowned")
        for r in records:
            summary.append(f"  {r['name']}: {sum(1 for g in generals if g['kunID'] == r['kunshuID'])} generals, "
                           f"{owners.count(records.index(r) + 1)} provinces, army {r['army']}")
    in_any = [p for p in people if any(s != "-" for s in p["serves"].values())]
    if len(in_any) != len(people):
        unused = [p["name"] for p in people if p not in in_any]
        fail("people.tsv", f"people in no start: {'、'.join(unused)}")
    files["KuniMap.ini"] = map_file(provinces)
    files["sei.ini"] = name_file(load_names("sei.txt", MIN_SURNAMES))
    files["mei.ini"] = name_file(load_names("mei.txt", MIN_GIVEN_NAMES))
    return files, summary


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", type=Path, default=DEFAULT_OUT, help="the ini folder to write (default data/ini)")
    ap.add_argument("--check", action="store_true", help="compare instead of writing")
    ap.add_argument("--summary", action="store_true", help="print the strength of every faction")
    args = ap.parse_args()
    try:
        files, summary = build_all()
    except TableError as e:
        print(f"make_scenarios: {e}", file=sys.stderr)
        return 1
    if args.summary:
        print("\n".join(summary))
    stale = []
    for name, data in sorted(files.items()):
        path = args.out / name
        if args.check:
            if not path.is_file() or path.read_bytes() != data:
                stale.append(name)
        else:
            args.out.mkdir(parents=True, exist_ok=True)
            path.write_bytes(data)
    if stale:
        print(f"make_scenarios: {args.out} is out of date: {', '.join(stale)}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
