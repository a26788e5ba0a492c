#!/usr/bin/env python3
"""The JSON results and the bearing schedule against the reports.

Writes the shipped examples, a title of each byte value 0 to 255, and COUNT
seeded problems (designs, analyses,
impossible designs, rejected pad data, unreadable numbers, missing records,
titles of any bytes), runs `bearingpad -y --json --schedule=schedule.csv`
over them with two names that do not exist, and checks for every problem:
the JSON parses; its bearing (dimensions, holes, covers, plate counts and
thicknesses, loads) prints as page 5 prints it; its warning lines are page
5's, in order; its closing messages are the report's last lines; its
outcome and records agree with the report; its schedule row agrees with
it. A problem that failed has its row, its line on standard error, and
neither report nor result. Python's csv reads the schedule.

Then the standard pads (--owner COUNT, 0: none): the examples and COUNT
generated problems with --catalog, the shipped catalog under the laminated
pad manual and seeded random catalogs under the plain pad sheet, the manual
and AASHTO alone. Each problem's title and beam records with each catalog
pad (its record as --table writes it, an analysis) run alone in one batch;
the chosen pad (the schedule's standard_pad) must be the first adequate,
else the inadequate one of the lowest governing ratio, else the first; its
JSON that pad's alone, the verdict text naming it (and its failing checks);
NAME.standard.dat its records, and its report that of NAME.standard.dat.

With --windows-exe, the Windows program then runs the same files under wine
(through the build's wine-run script beside it) and must write the same
JSON, schedule and NAME.standard.dat bytes and exit status, the absolute
file names in failures aside.

    python3 tests/results_check.py --exe build/bearingpad [--count 2000]
        [--owner 500] [--windows-exe build-win/bearingpad.exe]
"""
import argparse
import csv
import io
import json
import math
import os
import pathlib
import random
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import time

HERE = pathlib.Path(__file__).resolve().parent


def f32(x):
    return struct.unpack("f", struct.pack("f", x))[0]


def generate(rng, fit_point=0.0, careful=False):
    """One problem's bytes, typed as an engineer might, slips included. With
    fit_point, that share of the numbers typed without a point in every
    column of their field keeps one digit less, so that the field holds the
    value with its point too (the table check writes records with points).
    Careful: every number typed, with its point, in the lower half of its
    range (so that most bearings have a standard pad); a record may still
    be missing or hold a stray character."""
    def real(w, d, lo, hi):
        if rng.random() < 0.12 and not careful:
            return " " * w
        hi = (lo + hi) / 2 if careful else hi
        v, style = rng.uniform(lo, hi), rng.random() * (0.6 if careful else 1)
        if style < 0.6:
            text = f"{v:.{rng.choice([0, 1, 2, 3, 4])}f}"
            if "." not in text:
                text += "."
        elif style < 0.8:
            text = str(round(v * 10 ** d))
        elif style < 0.9:
            text = str(round(v))
        elif style < 0.95:
            text = f"{-v:.2f}"
        else:
            text = "0."
        if fit_point and "." not in text and len(text) >= w and rng.random() < fit_point:
            text = text[:w - 1]
        text = text[:w]
        return text.rjust(w) if rng.random() < 0.8 else text.ljust(w)

    def record(fields):
        rec = bytearray(b" " * 80)
        for col, text in fields:
            rec[col - 1:col - 1 + len(text)] = text.encode("latin-1")
        return bytes(rec).rstrip(b" ") if rng.random() < 0.1 else bytes(rec)

    title_text = rng.choice(["ROUTE 9 OVER MILL CREEK", 'PIER 3, "EXPANSION"', "GENERATED",
                             None])
    title = bytearray(record([(5, f"{rng.randrange(10000):04d}")]).ljust(8))
    if title_text is None:  # any bytes but LF and CR, which end the record
        title += bytes(rng.choice([b for b in range(256) if b not in (10, 13)])
                       for _ in range(rng.randrange(1, 72)))
    else:
        title += title_text.encode()
    impossible = rng.random() < 0.08  # a load no pad carries: design not possible
    pad = record([(2, rng.choice("AA  aD")), (3, rng.choice("B  b")), (4, real(6, 4, 6, 32)),
                  (10, real(6, 4, 4, 26)), (16, real(6, 4, 0.5, 5)),
                  (24, rng.choice("5x-") if rng.random() < 0.08 else rng.choice(" 0012 34")),
                  (25, real(5, 4, 0.5, 3)), (30, real(5, 4, 0.1, 0.5)),
                  (35, real(5, 4, 0.1, 0.5)),
                  (44, rng.choice("3L") if rng.random() < 0.05 else rng.choice(" 01222")),
                  (45, real(5, 4, 0.1, 0.5)), (56, rng.choice(" 0123 59")),
                  (59, real(5, 4, 0.03, 0.15))])
    beam = record([(2, rng.choice(" CSSs")), (3, real(7, 4, 5, 200)), (10, real(7, 4, 20, 200)),
                   (17, "9000.0" if impossible else real(6, 3, 10, 400)),
                   (24, real(6, 3, 5, 200)), (30, real(5, 3, 0, 3)), (35, real(4, 3, 0, 2)),
                   (39, real(4, 3, 0, 1.5))])
    records = [bytes(title), pad, beam]
    f = rng.random()
    if f < 0.04:  # a stray character in a numeric field: message 64
        r = rng.choice([1, 2])
        col = rng.choice([5, 12, 18, 27, 31, 37, 46, 61] if r == 1 else [4, 12, 19, 26, 32, 36])
        rec = bytearray(records[r].ljust(col))
        rec[col - 1] = ord(rng.choice(",Ox#"))
        records[r] = bytes(rec)
    elif f < 0.06:
        records = records[:2]  # no beam record: message 24, or rejected first
    elif f < 0.07:
        records = records[:1]  # the banner and title only
    elif f < 0.075:
        records = []  # nothing written
    end = b"\r\n" if rng.random() < 0.15 else b"\n"
    return end.join(records) + (end if records else b"")


def edited(value, d):
    """A value as the report's Fw.d prints it, without the leading zero."""
    if value is None:
        return None
    text = f"{value:.{d}f}"
    if float(text) == 0:
        text = text.lstrip("-")  # a minus sign only when the rounded value is not zero
    return re.sub(r"^(-?)0\.", r"\1.", text)


def cell(value, d):
    """A number of the schedule: d decimals, rounded as the report rounds."""
    if isinstance(value, int):
        return str(value)
    if not math.isfinite(value):
        return "NaN" if math.isnan(value) else "Infinity" if value > 0 else "-Infinity"
    text = f"{value:.{d}f}"
    return text.lstrip("-") if float(text) == 0 else text


def num(obj, key):
    v = obj[key]
    if v is None:
        return {"Infinity": math.inf, "-Infinity": -math.inf, "NaN": math.nan}[obj[key + "_text"]]
    return v if isinstance(v, int) else f32(v)


PAGE5 = [  # label on page 5, JSON key of the bearing, decimals (None: an integer)
    ("WIDTH", "width", 4), ("LENGTH", "length", 4), ("THICKNESS", "thickness", 4),
    ("NUMBER OF HOLE(S)", "number_of_holes", None), ("DIAMETER OF HOLE", "diameter_of_hole", 4),
    ("TOP AND BOTTOM COVER", "cover_thickness", 4), ("SIDE COVER", "side_cover", 4),
    ("DEAD LOAD", "dead_load", 1), ("LIVE LOAD", "live_load", 1),
    ("NUMBER OF LOAD PLATE(S)", "load_plate_count", None),
    ("THICKNESS OF LOAD PLATE(S)", "load_plate_thickness", 4),
    ("NUMBER OF INTERNAL PLATE(S)", "internal_plate_count", None),
    ("THICKNESS OF INTERNAL PLATE(S)", "internal_plate_thickness", 4),
]
DASHES = "-" * 78


def check_problem(name, data, report, j, row, err_lines):
    faults = []

    def want(cond, what):
        if not cond:
            faults.append(f"{name}: {what}")

    text = report.decode("latin-1")
    lines = [ln.rstrip("\r").replace("\f", "") for ln in text.split("\n")]
    while lines and not lines[-1].strip():
        lines.pop()
    typed = data.removeprefix(b"\xef\xbb\xbf").split(b"\n")
    if not typed[-1]:
        typed.pop()  # the LF that ends the last record starts none
    records = [r.removesuffix(b"\r") for r in typed[:3]]
    want(j["format"] == "bearingpad-result/1", "format")
    if j["records"]:  # every byte of the title record, as typed, and in the row
        title = records[0][8:80].ljust(72)
        want(j["as_read"]["title"].encode("latin-1") == title and
             j["as_read"]["problem_number"].encode("latin-1") == records[0][4:8].ljust(4),
             "the title record is not the bytes typed")
        want(row["title"] == title.rstrip(b" ").decode("latin-1"), "the row's title")
    want(j["records"] == [r.decode("latin-1") for r in records][:len(j["records"])],
         "records are not the records as typed")
    outcome = j["outcome"]
    b = j["bearing"]
    if "BEARING DETAILS" in text:
        want(outcome in ("solved", "design_not_possible"), f"page 5 written, outcome {outcome}")
        start = max(i for i, ln in enumerate(lines) if "BEARING DETAILS" in ln)
        page5 = lines[start:]
        joined = "\n".join(page5)
        for label, key, d in PAGE5:
            m = re.search(r"(?:^|  )" + re.escape(label) + r" = *(\S+)", joined, re.M)
            want(m is not None, f"no {label} on page 5")
            if not m or "*" in m.group(1):
                continue
            value = b[key] if d is None else num(b, key)
            shown = str(value) if d is None else edited(value, d)
            if d is not None and not math.isfinite(value):
                shown = {True: "NaN"}.get(math.isnan(value), "Infinity" if value > 0 else
                                          "-Infinity")
                want(m.group(1).startswith(shown[:3].lstrip("-")) or m.group(1).startswith(shown),
                     f"{label}: page 5 {m.group(1)}, JSON {shown}")
                continue
            want(re.sub(r"^(-?)0\.", r"\1.", m.group(1)) == shown,
                 f"{label}: page 5 {m.group(1)}, JSON {shown}")
        dashes = max(i for i, ln in enumerate(page5) if ln.strip() == DASHES)
        page_line = next(i for i, ln in enumerate(page5) if ln.strip() == "PAGE 5")
        warning_lines = [ln.strip() for ln in page5[dashes + 1:page_line] if ln.strip()]
        want(warning_lines == [ln for w in j["warnings"] for ln in w["lines"]],
             f"warning lines {warning_lines} against {j['warnings']}")
        closing = page5[page_line + 1:]
    elif outcome == "rejected":
        want(b is None and j["checks"] == [], "a rejected problem has a bearing")
        closing = lines[max(i for i, ln in enumerate(lines) if ln.strip() == DASHES) + 1:]
    else:
        want(b is None and outcome in ("no_problem", "failure"), f"no page 5, outcome {outcome}")
        closing = []
    closing_text = " ".join(" ".join(closing).split())
    want(closing_text == " ".join(" ".join(j["closing_messages"]).split()),
         f"closing lines {closing_text!r} against {j['closing_messages']}")
    if outcome == "failure":
        line = j["failure"]["line"].rstrip("\r\n")
        want(any(e.endswith(line) for e in err_lines), "the failure line is not on stderr")
    else:
        want(j["failure"] is None, "a failure without outcome failure")
    want(j["report_written"] == bool(report), "report_written")
    # The schedule row says what the JSON says.
    want(row["outcome"] == outcome and row["file"] == j["file"], "row outcome or file")
    want(row["warnings"] == str(len(j["warnings"])), "row warnings")
    for key in ("width", "length", "thickness", "number_of_holes", "diameter_of_hole",
                "cover_thickness", "side_cover", "load_plate_count", "load_plate_thickness",
                "internal_plate_count", "internal_plate_thickness", "internal_layer_thickness",
                "elastomer_thickness", "dead_load", "live_load"):
        if b is None:
            want(row[key] == "", f"row {key} without a bearing")
        else:
            v = num(b, key)
            v = v if key.endswith(("_count", "_holes")) else float(v)
            want(row[key] == cell(v, 1 if key.endswith("_load") else 4),
                 f"row {key} {row[key]} against {b[key]}")
    # The verdict: "passes" only for a check made on finite values that held,
    # "adequate" only when every applying check passes, "inadequate" only
    # with a warning on page 5; the row says what the JSON says.
    v = j["verdict"]
    for c in j["checks"]:
        finite = all(c[k] is not None for k in ("demand", "limit"))
        want(c["verdict"] != "passes" or (finite and c["passed"]),
             f"{c['key']} passes with {c.get('demand_text')} / {c.get('limit_text')}")
        want(c["verdict"] != "fails" or (finite and not c["passed"]), f"{c['key']} fails")
        want((c["verdict"] == "not_evaluated") == bool(c["reason"]), f"{c['key']} reason")
    applying = [c for c in j["checks"] if c["applies"]]
    if v["word"] == "adequate":
        want(outcome == "solved" and applying and
             all(c["verdict"] == "passes" for c in applying), "adequate with a check not passing")
    if v["word"] == "inadequate":
        want(len(j["warnings"]) > 0 and v["failed_checks"] ==
             sum(c["verdict"] == "fails" for c in applying), "inadequate without a warning")
    want((v["word"] == "not_evaluated") == bool(v["reasons"]) or outcome == "no_problem",
         "not evaluated without a reason")
    want({"failure": "failure", "rejected": "rejected",
          "design_not_possible": "design_not_possible"}.get(outcome, v["word"]) == v["word"],
         f"verdict {v['word']} of outcome {outcome}")
    want(row["verdict"] == v["word"].replace("_", " "), "row verdict")
    gov = next((c for c in j["checks"] if c["key"] == v["governing"]), None)
    want(row["governing_check"] == (gov["key"] if gov else "") and
         row["governing_name"] == (gov["name"] if gov else "") and
         row["governing_ratio"] == (cell(float(num(gov, "ratio")), 4) if gov else ""),
         "row governing check")
    want(bool(j["answer"]) == (j["mode"] == "design" and b is not None and
                               v["word"] != "not_evaluated"), "a design's answer")
    return faults


def same_under_wine(win_exe, tmp, argv, schedule, status=29, kinds=("*.json",)):
    """The Windows program over the same files: the same JSON and schedule
    (and the other outputs of those kinds), and the same exit status."""
    outputs = {p.name: p.read_bytes() for kind in kinds for p in tmp.glob(kind)}
    for name in outputs:
        (tmp / name).unlink()
    runner = win_exe.parent / "wine-run"
    r = subprocess.run([str(runner), str(win_exe)] + argv, cwd=tmp, capture_output=True,
                       timeout=3600)
    faults = [] if r.returncode == status else [f"wine: exit status {r.returncode}"]
    # Failures name their files by absolute name: Z:\tmp\x\g.dat under wine.
    posix = json.dumps(str(tmp) + "/")[1:-1].encode()
    windows = json.dumps("Z:" + str(tmp).replace("/", "\\") + "\\")[1:-1].encode()
    if (tmp / "schedule.csv").read_bytes() != schedule:
        faults.append("wine: another schedule")
    if sorted(p.name for kind in kinds for p in tmp.glob(kind)) != sorted(outputs):
        faults.append("wine: other output files")
    for name, native in outputs.items():
        p = tmp / name
        if p.exists() and p.read_bytes().replace(windows, posix) != native:
            faults.append(f"wine: {name} differs")
    print(f"under wine: {len(outputs)} files ({', '.join(kinds)}) and the schedule compared")
    return faults


STAMP = re.compile(rb"\d\d-[A-Z]{3}-\d\d|\d\d:\d\d:\d\d")  # a report's date and time


def random_catalog(rng, shipped):
    """A few pads, each a pad of the shipped catalog (its rows, header first)
    changed, smaller plans first as a catalog lists them: plans a step larger
    or smaller, some off an owner's 1/2 in step, thicker load plates or
    thinner internal ones, holes, some not physical or refused; a row without
    a mark (its type is its row), a design row (a catalog pad is analysed as
    it is)."""
    col = {name: i for i, name in enumerate(shipped[0])}
    rows = []
    for _ in range(rng.randint(4, 8)):
        row = list(rng.choice(shipped[1:]))
        row[col["mode"]] = rng.choice(["analysis", "design", ""])
        for c in (col["width"], col["length"]):
            row[c] = str(float(row[c]) + rng.choice([-2, -1, 0, 0, 1, 2]) +
                         rng.choice([0, 0, 0, 0.25]))
        if row[col["load_plate_count"]] == "2":  # a laminated pad
            row[col["number_of_holes"]], row[col["diameter_of_hole"]] = rng.choice(
                [("0", ""), ("0", ""), ("2", "1.25"), ("", "")])  # blank: one 3 in hole
            row[col["load_plate_thickness"]] = rng.choice(["0.125", "0.125", "0.25"])
            c = col["internal_plate_thickness"]
            row[c] = rng.choice([row[c], row[c], "0.0747"])
            row[col["load_plate_count"]] = rng.choice("22221")  # 1: refused with internal plates
        if rng.random() < 0.1:
            row[col["thickness"]] = "0.5"  # no elastomer left, or a plain pad too thin
        rows.append(row)
    rows.sort(key=lambda r: float(r[col["width"]]) * float(r[col["length"]]))
    for i, row in enumerate(rows):
        row[col["mark"]] = rng.choice([f"R{i + 1} pad", f"R{i + 1}", ""])
    return shipped[:1] + rows


def chosen_pad(tried):
    """The pad a catalog run must choose, from each pad's analysis alone
    (None: it failed): the first adequate one; else the inadequate one of the
    lowest governing ratio (the first of equals; a step check has none),
    else the first pad. With whether it passes."""
    lowest, low = 0, None
    for k, a in enumerate(tried):
        word = a["verdict"]["word"] if a else "failure"
        if word == "adequate":
            return k, True
        if word == "inadequate":
            r = num(next(c for c in a["checks"] if c["key"] == a["verdict"]["governing"]), "ratio")
            if not math.isnan(r) and (low is None or r < low):
                lowest, low = k, r
    return lowest, False


def owner_run(exe, win_exe, tmp, names, catalog, criteria):
    """One run with --catalog (and --criteria, when given) over the problems,
    against each catalog pad's analysis run alone (one batch) and each
    written NAME.standard.dat run again; then the same run under wine."""
    faults, seen = [], {}
    rules = ["--criteria", criteria.name] if criteria else []
    under = f"{catalog.name} under {criteria.name if criteria else 'AASHTO alone'}"

    def want(cond, what):
        if not cond:
            faults.append(f"{under}: {what}")

    def result(path):
        return json.loads(path.read_text(encoding="utf-8")) if path.exists() else None

    with open(catalog, newline="", encoding="utf-8-sig") as f:
        table = list(csv.reader(f))
    mark = table[0].index("mark")
    types = [r[mark].strip() or f"row {i + 2}" for i, r in enumerate(table[1:])]
    # An earlier run's outputs gone: a failure leaves every name as it was.
    for kind in ("*.json", "*.rpt", "*.standard.dat"):
        for p in tmp.glob(kind):
            p.unlink()
    # Each pad's record as --table writes it, column 2 an analysis.
    alone = tmp / "alone"
    shutil.rmtree(alone, ignore_errors=True)
    alone.mkdir()
    with open(alone / "pads.csv", "w", newline="", encoding="utf-8") as f:
        csv.writer(f).writerows([table[0]] + [r[:mark] + [f"c{k}"] + r[mark + 1:]
                                              for k, r in enumerate(table[1:])])
    subprocess.run([exe, "-y", "--table", "pads.csv"], cwd=alone, capture_output=True, timeout=600)
    pads = [(alone / f"c{k}.dat").read_bytes().split(b"\n")[1].ljust(2) for k in range(len(types))]
    pads = [p[:1] + b"A" + p[2:] for p in pads]
    inputs = {}  # problem: its title and beam records with each pad, as typed
    for name in names:
        typed = (tmp / name).read_bytes().split(b"\n")
        typed = [r.removesuffix(b"\r") for r in (typed if typed[-1] else typed[:-1])]
        if len(typed) >= 3:
            inputs[name] = [b"\n".join([typed[0], p, typed[2], b""]) for p in pads]
            for k, data in enumerate(inputs[name]):
                (alone / f"p{k}-{name}").write_bytes(data)
    argv = ["-y", "--json", "--schedule=schedule.csv", *rules, "--catalog", catalog.name, *names]
    start = time.monotonic()
    r = subprocess.run([exe] + argv, cwd=tmp, capture_output=True, timeout=1800)
    seconds = time.monotonic() - start
    for name in names:
        if (tmp / (name[:-4] + ".standard.dat")).exists():
            shutil.copy(tmp / (name[:-4] + ".standard.dat"), alone / f"s-{name}")
    batch = sorted(p.name for p in alone.glob("[ps]*.dat"))
    rules_alone = ["--criteria", str(criteria)] if criteria else []
    subprocess.run([exe, "-y", "--json", *rules_alone, *batch], cwd=alone, capture_output=True,
                   timeout=1800)
    with open(tmp / "schedule.csv", newline="", encoding="utf-8-sig") as f:
        rows = {row["file"]: row for row in csv.DictReader(f)}
    for name in names:
        stem, row = name[:-4], rows[name]
        j, standard = result(tmp / (stem + ".json")), tmp / (stem + ".standard.dat")
        if name not in inputs:  # fewer than three records: no pad tried
            want(row["standard_pad"] == "" and not standard.exists(), f"{name}: a standard pad")
            seen["no pad tried"] = seen.get("no pad tried", 0) + 1
            continue
        k, passes = chosen_pad([result(alone / f"p{i}-{stem}.json") for i in range(len(pads))])
        key = f"pad {k + 1}" if passes else "no standard pad passes"
        seen[key] = seen.get(key, 0) + 1
        want(row["standard_pad"] == types[k], f"{name}: {row['standard_pad']}, not {types[k]}")
        a = result(alone / f"p{k}-{stem}.json")
        if a is None:  # its analysis fails: the problem fails, nothing written
            want(row["outcome"] == "failure" and j is None and not standard.exists(),
                 f"{name}: the pad's analysis fails, the catalog's does not")
            continue
        want(standard.exists() and standard.read_bytes() == inputs[name][k],
             f"{name}: {standard.name} is not the records of {types[k]}")
        failing = [c["name"] for c in a["checks"] if c["applies"] and c["verdict"] == "fails"]
        text = a["verdict"]["text"] + (
            f"; standard pad {types[k]}" if passes else
            f"; no standard pad passes: {types[k]} has the lowest governing ratio" +
            (", failing " + ", ".join(failing) if failing else ""))
        want(j and j["verdict"]["text"] == text, f"{name}: verdict {j and j['verdict']['text']!r}")
        want(j is None or j["outcome"] != "solved" or
             any(c["owner"] for c in j["checks"]) == bool(criteria), f"{name}: owner's checks")
        for d in (a, j or {"verdict": {}}):
            d["file"] = d["verdict"]["text"] = None
        want(j == a, f"{name}: the JSON is not that of {types[k]}'s analysis alone")
        reports = [(d / f).read_bytes() if (d / f).exists() else None
                   for d, f in ((tmp, stem + ".rpt"), (alone, f"s-{stem}.rpt"))]
        want(reports[0] and STAMP.sub(b"", reports[0]) == STAMP.sub(b"", reports[1] or b""),
             f"{name}: the report is not that of {standard.name}")
    print(f"{under}, {len(pads)} pads: {len(names)} problems in "
          f"{seconds:.1f} s; " + ", ".join(f"{n} {w}" for w, n in sorted(seen.items())))
    if win_exe and not faults:
        start = time.monotonic()
        faults += same_under_wine(win_exe, tmp, argv, (tmp / "schedule.csv").read_bytes(),
                                  r.returncode, ("*.json", "*.standard.dat"))
        print(f"under wine: {time.monotonic() - start:.1f} s")
    return faults


def owner_stage(exe, win_exe, count, seed):
    """The examples and COUNT generated problems with standard pads: the
    shipped catalog under the laminated pad manual; seeded random catalogs
    under the plain pad sheet, the laminated pad manual and AASHTO alone."""
    rng = random.Random(seed)
    faults = []
    with tempfile.TemporaryDirectory() as tmp:
        tmp = pathlib.Path(tmp)
        examples = HERE.parent / "examples"
        names = []
        for example in sorted(examples.glob("*.dat")):
            shutil.copy(example, tmp / example.name)
            names.append(example.name)
        for i in range(count):
            (tmp / f"g{i:04d}.dat").write_bytes(generate(rng, careful=rng.random() < 0.7))
            names.append(f"g{i:04d}.dat")
        for name in ("standard-pads.csv", "criteria-laminated-pads.toml",
                     "criteria-plain-pads.toml"):
            shutil.copy(examples / name, tmp / name)
        with open(examples / "standard-pads.csv", newline="", encoding="utf-8") as f:
            shipped = list(csv.reader(f))
        for i in (1, 2, 3):
            with open(tmp / f"random-{i}.csv", "w", newline="", encoding="utf-8") as f:
                csv.writer(f).writerows(random_catalog(rng, shipped))
        for catalog, criteria in (("standard-pads.csv", "criteria-laminated-pads.toml"),
                                  ("random-1.csv", "criteria-plain-pads.toml"),
                                  ("random-2.csv", "criteria-laminated-pads.toml"),
                                  ("random-3.csv", None)):
            faults += owner_run(exe, win_exe, tmp, names, tmp / catalog,
                                criteria and tmp / criteria)
    return faults


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--exe", required=True)
    ap.add_argument("--count", type=int, default=2000)
    ap.add_argument("--seed", type=int, default=21)
    ap.add_argument("--owner", type=int, default=500, metavar="COUNT",
                    help="generated problems of the standard pads' stage (0: none)")
    ap.add_argument("--windows-exe", help="a Windows bearingpad.exe to compare under wine")
    args = ap.parse_args()
    exe = str(pathlib.Path(args.exe).resolve())
    win_exe = pathlib.Path(args.windows_exe).resolve() if args.windows_exe else None
    rng = random.Random(args.seed)
    with tempfile.TemporaryDirectory() as tmp:
        tmp = pathlib.Path(tmp)
        names = []
        for example in sorted((HERE.parent / "examples").glob("*.dat")):
            shutil.copy(example, tmp / example.name)
            names.append(example.name)
        for i in range(args.count):
            (tmp / f"g{i:04d}.dat").write_bytes(generate(rng))
            names.append(f"g{i:04d}.dat")
        # A title of each byte value 0 to 255 (an LF ends the title record).
        pad_and_beam = (HERE.parent / "examples" / "analysis.dat").read_bytes().split(b"\n", 1)[1]
        for b in range(256):
            title = b"    0" + bytes([b]) * 3 + b"X" + bytes([b]) + b'",' + bytes([b]) + b"Y"
            (tmp / f"t{b:03d}.dat").write_bytes(title + b"\n" + pad_and_beam)
            names.append(f"t{b:03d}.dat")
        missing = ["missing-1.dat", "missing-2.dat"]
        argv = ["-y", "--json", "--schedule=schedule.csv", *names[:5], missing[0], *names[5:],
                missing[1]]
        r = subprocess.run([exe] + argv, cwd=tmp, capture_output=True, timeout=1800)
        err_lines = set(r.stderr.decode("latin-1").replace("\r", "").split("\n"))
        with open(tmp / "schedule.csv", newline="", encoding="utf-8-sig") as f:
            rows = list(csv.DictReader(f))
        raw = (tmp / "schedule.csv").read_bytes()
        faults = []
        if raw.count(b"\r\n") < len(rows) + 1 or not raw.startswith(b"\xef\xbb\xbffile,"):
            faults.append("schedule: not CR LF lines under a header with its byte order mark")
        order = [n for n in argv if not n.startswith("-")]
        if [row["file"] for row in rows] != order:
            faults.append("schedule: not one row per problem in the order given")
        outcomes, verdicts = {}, {}
        for row, name in zip(rows, order):
            if name in missing:
                ok = row["outcome"] == "failure" and not (tmp / (name[:-4] + ".json")).exists()
                faults += [] if ok else [f"{name}: no failure row, or a JSON"]
                continue
            if row["outcome"] == "failure":
                # A problem that failed leaves its names as they were: no
                # report, no result; its line on standard error.
                outcomes["failure"] = outcomes.get("failure", 0) + 1
                ok = not (tmp / (name[:-4] + ".json")).exists() and \
                    not (tmp / (name[:-4] + ".rpt")).exists() and \
                    any(e.startswith(name + ": ") and "bpio: severe (" in e for e in err_lines)
                faults += [] if ok else [f"{name}: a failure left a file, or no line"]
                continue
            j = json.loads((tmp / (name[:-4] + ".json")).read_text(encoding="utf-8"))
            outcomes[j["outcome"]] = outcomes.get(j["outcome"], 0) + 1
            verdicts[j["verdict"]["word"]] = verdicts.get(j["verdict"]["word"], 0) + 1
            rpt = tmp / (name[:-4] + ".rpt")
            faults += check_problem(name, (tmp / name).read_bytes(),
                                    rpt.read_bytes() if rpt.exists() else b"", j, row, err_lines)
        if r.returncode != 29:
            faults.append(f"exit status {r.returncode}, not 29 (the first missing file)")
        if win_exe and not faults:
            faults += same_under_wine(win_exe, tmp, argv, raw)
    if args.owner:
        faults += owner_stage(exe, win_exe, args.owner, args.seed + 1)
    print("verdicts: " + ", ".join(f"{n} {w}" for w, n in sorted(verdicts.items())))
    print(f"{len(order)} problems checked: " +
          ", ".join(f"{v} {k}" for k, v in sorted(outcomes.items())))
    if faults:
        print("\n".join(faults[:40]), file=sys.stderr)
        sys.exit(f"{len(faults)} faults")
    for needed in ("solved", "design_not_possible", "rejected", "failure", "no_problem"):
        if outcomes.get(needed, 0) == 0:
            sys.exit(f"no problem ended {needed}: the generator covers too little")


if __name__ == "__main__":
    main()
