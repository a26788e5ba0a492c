#!/usr/bin/env python3
"""The drawings against their reports: every shipped example and seeded
generated problems (plain pads, one load plate, two load plates with internal
plates; designs and analyses) run with `bearingpad -y --drawing`; each SVG must
parse as XML and draw what page 5 of its report details (plan W x L to scale,
holes, plates and layers, the section T to scale) and put each interpolated
strain where the deflection table prints it. Titles holding every byte 0 to
255 must still give well-formed XML, the bytes shown as the report shows them.
A bearing not evaluated gets no plan, section or chart, only its reasons.
Then extremes (every byte in each switch column, extreme exponents): on any
sheet no attribute holds a number that is not finite (only NAME_text its
text), no scale is 1:0 and no view drawn has no size.

    python3 tests/drawing_check.py --exe build/bearingpad [--problems 600] [--seed 23]
"""
import argparse
import pathlib
import random
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

NS = "{http://www.w3.org/2000/svg}"
faults = []


def fault(name, text):
    faults.append(f"{name}: {text}")


def put(rec, col, text):
    rec.extend(" " * (col - 1 + len(text) - len(rec)))
    rec[col - 1:col - 1 + len(text)] = list(text)


def real(value, width):
    return f"{value:.4f}"[:width].rjust(width)


def problem(rnd, i):
    """One generated problem: its three records."""
    plates = rnd.choice([0, 1, 2, 2])
    design = rnd.random() < 0.35
    title, pad, beam = [], [], []
    put(title, 5, f"{i:04d}")
    put(title, 9, f"GENERATED {'DESIGN' if design else 'ANALYSIS'} {plates} PLATES")
    put(pad, 2, " " if design else "A")
    put(pad, 3, "B" if rnd.random() < 0.2 else " ")
    for col, lo, hi in ((4, 6, 30), (10, 4, 24), (16, 0.5, 4)):
        if not (design and rnd.random() < 0.5):
            put(pad, col, real(rnd.uniform(lo, hi), 6))
    put(pad, 24, str(rnd.choice([0, 0, 1, 2, 3, 4])))
    put(pad, 25, real(rnd.uniform(0.5, 2), 5))
    put(pad, 30, real(rnd.choice([0.125, 0.25, 0.375, 0.5]), 5))
    put(pad, 35, real(rnd.choice([0.125, 0.25, 0.5]), 5))
    put(pad, 44, str(plates))
    put(pad, 45, real(rnd.choice([0.1875, 0.25, 0.3125]), 5))
    put(pad, 56, str(rnd.randint(0, 9) if plates == 2 else 0))
    put(pad, 59, real(rnd.choice([0.0747, 0.1046, 0.125]), 5))
    put(beam, 2, rnd.choice([" ", "S"]))
    put(beam, 3, real(rnd.uniform(20, 200), 7))
    put(beam, 10, real(rnd.uniform(20, 200), 7))
    put(beam, 17, real(rnd.uniform(10, 300), 6))
    put(beam, 24, real(rnd.uniform(0, 150), 6))
    put(beam, 30, real(rnd.uniform(0, 1.5), 5))
    put(beam, 35, real(rnd.uniform(0, 0.9), 4))
    put(beam, 39, real(rnd.uniform(0, 0.9), 4))
    return ("".join(title) + "\n" + "".join(pad) + "\n" + "".join(beam) + "\n").encode()


def field(line, col, width):
    """A report field by its layout column (column 1, the carriage control, is not stored)."""
    return line[col - 2:col - 2 + width].strip()


def report_values(rpt):
    """The bearing details of page 5 and the strains of the deflection table."""
    lines = rpt.decode("latin-1").replace("\r", "").replace("\f", "").split("\n")
    start = next(i for i, t in enumerate(lines) if t.strip() == "BEARING DETAILS")
    d = lines[start:start + 17]
    num = lambda t: float(t) if "*" not in t else None
    v = {
        "width": num(field(d[3], 32, 7)), "holes": int(field(d[3], 69, 2)),
        "length": num(field(d[4], 32, 7)), "diameter": num(field(d[4], 69, 7)),
        "thickness": num(field(d[5], 32, 7)), "cover": num(field(d[5], 71, 5)),
        "side_cover": num(field(d[6], 71, 5)),
        "load_plates": int(field(d[13], 32, 2)), "load_plate": num(field(d[13], 71, 5)),
        "internal_plates": int(field(d[14], 32, 2)), "internal_plate": num(field(d[14], 71, 5)),
    }
    strain = next(t for t in lines if t.startswith("    COMPRESSIVE STRAIN "))
    cols = {("cover", "dead"): 32, ("internal", "dead"): 41, ("cover", "live"): 49,
            ("internal", "live"): 58, ("cover", "total"): 66, ("internal", "total"): 75}
    v["strains"] = {k: field(strain, c, 4) for k, c in cols.items()}
    hri = next(t for t in lines if t.startswith("                   hri (IN)"))
    v["hri_cover"], v["hri_internal"] = num(field(hri, 31, 6)), num(field(hri, 40, 6))
    return v


def close(a, b, tol):
    return a is not None and b is not None and abs(a - b) <= tol


NOT_FINITE = re.compile(r"(?i)(nan|inf)")
SCALE = re.compile(r"(?:SCALE|PLAN|SECTION) (FULL SIZE|NOT DRAWN|(\d+(?:\.\d+)?):(\d+(?:\.\d+)?))")


def check_any_sheet(name, svg_path):
    """What holds for any sheet, whatever the problem typed."""
    try:
        root = ET.parse(svg_path).getroot()
    except ET.ParseError as e:
        fault(name, f"not well-formed XML: {e}")
        return
    for e in root.iter():
        for key, value in e.attrib.items():
            if key.endswith("_text"):
                if value not in ("NaN", "Infinity", "-Infinity") or key[:-5] in e.attrib:
                    fault(name, f"{key}=\"{value}\" beside {e.attrib.get(key[:-5])}")
            elif NOT_FINITE.search(value) and key not in ("class", "id", "data-field"):
                fault(name, f"{e.tag[len(NS):]} {key}=\"{value}\"")
    for t in root.iter(NS + "text"):
        for m in SCALE.finditer(t.text or ""):
            if m.group(2) and not (float(m.group(2)) > 0 and float(m.group(3)) > 0):
                fault(name, f"scale {m.group(1)}")
    for g in root.iter(NS + "g"):
        if g.get("id") in ("plan", "section"):
            scale = float(g.get("data-scale"))
            body = next(r for r in g.iter(NS + "rect"))
            if not scale > 0 or min(float(body.get("width")), float(body.get("height"))) < 1:
                fault(name, f"{g.get('id')} {body.get('width')} x {body.get('height')} at {scale}")


def check_drawing(name, svg_path, v):
    root = ET.parse(svg_path).getroot()
    by_id = {g.get("id"): g for g in root.iter(NS + "g") if g.get("id")}
    cls = lambda e: set((e.get("class") or "").split())
    groups = lambda c: [g for g in root.iter(NS + "g") if c <= cls(g)]
    if root.get("data-verdict") == "not_evaluated":
        drawn = sorted(k for k in ("plan", "section", "chart") if k in by_id)
        reasons = groups({"reason"})
        words = [t.text for t in root.iter(NS + "text") if "verdict" in cls(t)]
        if drawn or not reasons or words != ["NOT EVALUATED"]:
            fault(name, f"not evaluated: {drawn} drawn, {len(reasons)} reasons, verdict {words}")
        return

    plan = by_id.get("plan")
    if plan is not None and v["width"] and v["length"]:
        s = float(plan.get("data-scale"))
        pad = next(r for r in plan.iter(NS + "rect") if "pad" in cls(r))
        w, h = float(pad.get("width")), float(pad.get("height"))
        if not (close(w, v["width"] * s, 1) and close(h, v["length"] * s, 1)):
            fault(name, f"plan {w} x {h} px, not {v['width']} x {v['length']} at {s} px/in")
        if abs(w / h - v["width"] / v["length"]) * h > 1:
            fault(name, f"plan aspect {w / h} is not W/L {v['width'] / v['length']}")
        holes = [c for c in plan.iter(NS + "circle") if "hole" in cls(c)]
        want = v["holes"] if v["diameter"] and v["diameter"] > 0 else 0
        if len(holes) != want:
            fault(name, f"{len(holes)} holes drawn, {want} in the details")
        for c in holes:
            if not close(2 * float(c.get("r")), v["diameter"] * s, 1):
                fault(name, f"hole diameter {2 * float(c.get('r'))} px, not {v['diameter']} in")
        outline = [r for r in plan.iter(NS + "rect") if "plate-outline" in cls(r)]
        sc = v["side_cover"]
        want = 1 if v["load_plates"] and v["width"] > 2 * sc and v["length"] > 2 * sc else 0
        if len(outline) != want:
            fault(name, f"{len(outline)} plate outlines, expected {want}")
        elif outline and not close(float(outline[0].get("width")), (v["width"] - 2 * sc) * s, 1):
            fault(name, "the plate outline is not inset by the side cover")
    elif v["width"] and v["width"] > 0 and v["length"] and v["length"] > 0:
        fault(name, "no plan")

    lp, ip = v["load_plates"], v["internal_plates"]
    want = {"load-plate": lp, "internal-plate": ip if lp == 2 else 0,
            "cover": 2 if lp else 0, "internal": ip + 1 if lp == 2 else 0,
            "pad-layer": 0 if lp else 1}
    section = by_id.get("section")
    if section is None:
        if v["thickness"] and v["thickness"] > 0:
            fault(name, "no section")
        return
    elements = [g for g in section.iter(NS + "g") if cls(g) & {"plate", "layer"}]
    for kind, n in want.items():
        got = sum(1 for g in elements if kind in cls(g))
        if got != n:
            fault(name, f"{got} {kind} drawn, {n} in the details")
    s = float(section.get("data-scale"))
    body = next(r for r in section.iter(NS + "rect") if "body" in cls(r))
    if not close(float(body.get("height")), v["thickness"] * s, 1):
        fault(name, f"section {body.get('height')} px high, T = {v['thickness']} at {s} px/in")
    # Each element at its own thickness: they stack to T, or the sheet says
    # they do not (the last bearing of an impossible design, plates thicker
    # than the pad).
    thick = [max(0.0, float(g.get("data-thickness"))) for g in elements]
    said = any("layers-do-not-fit" in cls(t) for t in root.iter(NS + "text"))
    if abs(sum(thick) - float(section.get("data-thickness"))) > 0.0005:
        if not said:
            fault(name, f"layers of {sum(thick)} in drawn for T = {v['thickness']}, not said so")
    else:
        stacked = sum(float(g.find(NS + "rect").get("height")) for g in elements)
        if said or not close(stacked, v["thickness"] * s, 1):
            fault(name, f"the layers and plates stack to {stacked} px, T = {v['thickness'] * s}")
    for g in elements:
        t = float(g.get("data-thickness"))
        ref = {"cover": v["hri_cover"], "pad-layer": v["hri_cover"], "internal": v["hri_internal"],
               "load-plate": v["load_plate"], "internal-plate": v["internal_plate"]}
        kind = (cls(g) - {"plate", "layer"}).pop()
        if ref[kind] is not None and not close(t, ref[kind], 0.00006):
            fault(name, f"{kind} {t} in, the report prints {ref[kind]}")

    chart = by_id["chart"]
    x0, sx = float(chart.get("data-x0")), float(chart.get("data-px-per-strain"))
    points = groups({"strain-point"})
    want_points = {(l, c) for l in (["cover", "internal"] if lp == 2 else ["cover"])
                   for c in ("dead", "live", "total")}
    got_points = {(g.get("data-layer"), g.get("data-load")): g for g in points}
    if set(got_points) != want_points:
        fault(name, f"strain points {sorted(got_points)}")
    for key, g in got_points.items():
        printed = v["strains"][key]
        shown = g.get("data-strain") or {"NaN": "NaN", "Infinity": "Inf", "-Infinity": "-Inf"}.get(
            g.get("data-strain_text"))
        if shown != printed:
            fault(name, f"strain {key} {g.get('data-strain')}, the report prints {printed}")
        marker = next((m for m in g if "marker" in cls(m)), None)
        if marker is not None and "*" not in printed:
            cx = float(marker.get("cx")) if marker.get("cx") else \
                float(marker.get("x")) + float(marker.get("width")) / 2
            if abs((cx - x0) / sx - float(printed)) > 0.05 + 1 / sx:
                fault(name, f"strain {key} drawn at {(cx - x0) / sx}, printed {printed}")


def expected_title(raw):
    """The title's bytes as the sheet shows them."""
    out = []
    for b in raw.rstrip(b" "):
        out.append(" " if b == 9 else "\ufffd" if b < 32 else chr(b))
    return "".join(out)


# Extremes that a typed analysis may hold and no design gives: negative and
# huge dimensions, covers and loads, plates thicker than the pad. Their sheets
# are only parsed: the program must end and write well-formed XML.
EXTREMES = [
    ({2: b"A", 4: b"  12.0", 10: b"  -5.0", 16: b"   2.5", 24: b"0", 44: b"2"},
     {3: b"   10.0", 10: b"   80.0", 17: b" 1E+20", 24: b"  20.0"}),
    ({2: b"A", 4: b"  12.0", 10: b"   9.0", 16: b"   2.0", 24: b"2", 25: b"  1.0", 35: b" -2.0",
      44: b"2", 56: b"1"}, {3: b"   10.0", 10: b"   80.0", 17: b"  40.0", 24: b"  20.0"}),
    ({2: b"A", 4: b" -12.0", 10: b"  -9.0", 16: b"  -2.0", 24: b"4", 25: b" 50.0", 44: b"1"},
     {3: b"  1E+30", 10: b"  -80.0", 17: b" -40.0", 24: b" -1E+9"}),
    ({2: b"A", 4: b"1.0E30", 10: b"1.0E30", 16: b"1.0E30", 24: b"4", 44: b"2", 56: b"9"},
     {3: b"   10.0", 10: b"   80.0", 17: b"  40.0", 24: b"  20.0"}),
    ({2: b"A", 4: b"  12.0", 10: b"   9.0", 16: b"0.0001", 44: b"2", 56: b"9", 59: b"  1.0"},
     {3: b"   10.0", 10: b"   80.0", 17: b"  40.0", 24: b"  20.0"}),
    ({10: b"   9.0", 44: b"2"}, {3: b"   10.0", 10: b"   80.0", 17: b" 1E+20", 24: b" 1E+20"}),
]


# Mode, dimension basis and beam type take any byte, together; the hole,
# load plate and internal plate counts reject most, each alone.
SWITCHES = (((1, 2), (1, 3), (2, 2)), ((1, 24),), ((1, 44),), ((1, 56),))
NUMBERS = ((1, 4, 6), (1, 10, 6), (1, 16, 6), (1, 25, 5), (1, 30, 5), (1, 35, 5), (1, 45, 5),
           (1, 59, 5), (2, 3, 7), (2, 10, 7), (2, 17, 6), (2, 24, 6), (2, 30, 5), (2, 35, 4),
           (2, 39, 4))
EXPONENTS = [b"1.E39", b"-1.E39", b"3.5E38", b"-3.5E38", b"1E+30", b"-1E+30", b"1E-45", b"1E-30",
             b"9E37", b"1E9", b"1E4", b"0", b"-0", b""]


def extreme(rnd, k, examples):
    """Problem k of the extremes: example k's records; in the first 1020 one
    group of switches typed one byte; in the rest some number fields typed with
    extreme exponents and some digits overwritten."""
    records = examples[k % len(examples)].read_bytes().split(b"\n")[:3]
    records = [bytearray(r.rstrip(b"\r").ljust(80)) for r in records + [b""] * (3 - len(records))]
    if k < 255 * len(SWITCHES):
        byte = k % 255 + 1 if k % 255 >= 10 else k % 255
        for rec, col in SWITCHES[k // 255]:
            records[rec][col - 1] = byte
        return b"\n".join(bytes(r) for r in records) + b"\n"
    for _ in range(rnd.randint(1, 4)):
        rec, col, width = rnd.choice(NUMBERS)
        text = rnd.choice([e for e in EXPONENTS if len(e) <= width])
        records[rec][col - 1:col - 1 + width] = text.rjust(width)
    for _ in range(rnd.choice([0, 0, 1, 3])):
        rec, col = rnd.choice([(1, c) for c in range(4, 22)] + [(2, c) for c in range(3, 23)])
        records[rec][col - 1] = rnd.choice(b"0123456789. ")
    return b"\n".join(bytes(r) for r in records) + b"\n"


def record(fields):
    r = bytearray(b" " * 80)
    for col, text in fields.items():
        r[col - 1:col - 1 + len(text)] = text
    return bytes(r).rstrip()


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--exe", required=True)
    ap.add_argument("--problems", type=int, default=600)
    ap.add_argument("--seed", type=int, default=23)
    ap.add_argument("--extremes", type=int, default=1400)
    args = ap.parse_args()
    exe = str(pathlib.Path(args.exe).resolve())
    examples = sorted((pathlib.Path(__file__).parent.parent / "examples").glob("*.dat"))
    rnd = random.Random(args.seed)
    pad_beam = examples[0].read_bytes().split(b"\n")[1:3]
    with tempfile.TemporaryDirectory() as tmp:
        folder = pathlib.Path(tmp)
        names = []
        for e in examples:
            (folder / e.name).write_bytes(e.read_bytes())
            names.append(e.name)
        for i in range(args.problems):
            names.append(f"g{i:04d}.dat")
            (folder / names[-1]).write_bytes(problem(rnd, i))
        # Titles of every byte but LF, '<' and '&' among them, in 72-byte pieces.
        every = bytes(b for b in range(256) if b != 10)
        titles = {}
        for k in range(0, len(every), 72):
            raw = every[k:k + 72].ljust(72)
            name = f"t{k // 72}.dat"
            titles[name] = raw
            (folder / name).write_bytes(b"    <&" + bytes([255, 128]) + raw + b"\n" +
                                        b"\n".join(pad_beam) + b"\n")
            names.append(name)
        extremes = []
        for k, (pad, beam) in enumerate(EXTREMES):
            name = f"x{k}.dat"
            (folder / name).write_bytes(b"    0000EXTREME\n" + record(pad) + b"\n" + record(beam) +
                                        b"\n")
            names.append(name)
            extremes.append(name)
        for k in range(args.extremes):
            name = f"e{k:04d}.dat"
            (folder / name).write_bytes(extreme(rnd, k, examples))
            names.append(name)
            extremes.append(name)
        extreme_names = set(extremes)
        ordinary = [n for n in names if n not in extreme_names]
        run = subprocess.run([exe, "-y", "--drawing", *ordinary], cwd=folder, capture_output=True,
                             timeout=600)
        if run.returncode not in (0, 10):
            fault("run", f"status {run.returncode}: {run.stderr.decode(errors='replace')}")
        # The extremes end in any failure number (an input conversion error),
        # never in a signal or a sanitizer's report.
        run = subprocess.run([exe, "-y", "--drawing", *extremes], cwd=folder,
                             capture_output=True, timeout=600)
        err = run.stderr.decode(errors="replace")
        if run.returncode < 0 or "Sanitizer" in err or "runtime error" in err:
            fault("extremes", f"status {run.returncode}: {err[-2000:]}")
        drawn = sheets = 0
        for name in names:
            stem = name[:-4]
            rpt, svg = folder / (stem + ".rpt"), folder / (stem + ".svg")
            if svg.exists():
                sheets += 1
                check_any_sheet(name, svg)
            report = rpt.read_bytes() if rpt.exists() else b""
            details = b"BEARING DETAILS" in report
            if details != svg.exists():
                fault(name, f"report details {details}, drawing {svg.exists()}")
                continue
            if not details:
                continue
            if name in extreme_names:
                continue
            drawn += 1
            try:
                check_drawing(name, svg, report_values(report))
            except ET.ParseError as e:
                fault(name, f"not well-formed XML: {e}")
            if name in titles:
                root = ET.parse(svg).getroot()
                shown = next(t.text for t in root.iter(NS + "text") if t.get("class") == "title")
                if shown != expected_title(titles[name]):
                    fault(name, f"title shown as {shown!r}")
                number = next(t.text for t in root.iter(NS + "text")
                              if t.get("class") == "big" and t.text.startswith("PROBLEM"))
                if number != "PROBLEM <&\u00ff\u0080":
                    fault(name, f"problem number shown as {number!r}")
    print(f"{drawn} drawings of {len(names)} problems checked against their reports, "
          f"{sheets} sheets in all, {len(faults)} faults")
    for f in faults[:40]:
        print(f)
    sys.exit(1 if faults or drawn < 500 else 0)


if __name__ == "__main__":
    main()
