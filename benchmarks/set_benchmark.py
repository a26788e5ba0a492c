#!/usr/bin/env python3
"""Each problem's report, JSON and drawing put in place as one set, at batch
speed: the files of a group of problems are flushed to the disk together.

Writes N input files (the shipped examples in turn) into a scratch folder
and times `bearingpad -y --json --drawing FILE...` over all of them:
  - the build as shipped (every file on the disk before its rename);
  - a benchmark build with the flush switched off (-DBEARINGPAD_UNSYNCED=ON),
    when one is given: what the flush costs;
  - one run of the program per problem, as a script calling it would.
Prints the times and ratios; asserts nothing.

    python3 benchmarks/set_benchmark.py --exe build/bearingpad \\
        [--unsynced-exe build-unsynced/bearingpad] [--problems 1000 10000] [--single 1000]
"""
import argparse
import os
import pathlib
import subprocess
import sys
import tempfile
import time


def batch(exe, folder, names):
    start = time.perf_counter()
    cpu = os.times()
    r = subprocess.run([exe, "-y", "--json", "--drawing", *names], cwd=folder,
                       stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    after = os.times()
    elapsed = time.perf_counter() - start
    if r.returncode not in (0, 10, 29, 64):
        sys.exit(f"batch failed: status {r.returncode}\n{r.stderr.decode()[:400]}")
    return elapsed, after.children_user - cpu.children_user, after.children_system - cpu.children_system


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--exe", required=True)
    ap.add_argument("--unsynced-exe")
    ap.add_argument("--problems", type=int, nargs="+", default=[1000, 10000])
    ap.add_argument("--folder", help="where the scratch folder is made (default: the system's "
                    "temporary folder); name one on the disk to measure")
    ap.add_argument("--single", type=int, default=1000,
                    help="problems run one process each (at most)")
    args = ap.parse_args()
    exe = str(pathlib.Path(args.exe).resolve())
    unsynced = str(pathlib.Path(args.unsynced_exe).resolve()) if args.unsynced_exe else None
    examples = sorted((pathlib.Path(__file__).parent.parent / "examples").glob("*.dat"))
    for n in args.problems:
        with tempfile.TemporaryDirectory(dir=args.folder) as tmp:
            folder = pathlib.Path(tmp)
            names = []
            for i in range(n):
                name = f"p{i:05d}.dat"
                (folder / name).write_bytes(examples[i % len(examples)].read_bytes())
                names.append(name)
            # Every run replaces the files of the one before, as a batch run
            # again does; the two builds in turn, the best of two runs each.
            batch(exe, folder, names)
            shipped = off = None
            for _ in range(2):
                t = batch(exe, folder, names)
                shipped = t if shipped is None or t[0] < shipped[0] else shipped
                if unsynced:
                    t = batch(unsynced, folder, names)
                    off = t if off is None or t[0] < off[0] else off
            print(f"{n} problems, -y --json --drawing, synced as shipped: {shipped[0]:.2f} s "
                  f"({shipped[1]:.2f} s user, {shipped[2]:.2f} s system)")
            if unsynced:
                print(f"{n} problems, syncing switched off:            {off[0]:.2f} s "
                      f"({off[1]:.2f} s user, {off[2]:.2f} s system); "
                      f"shipped / off = {shipped[0] / off[0]:.2f}")
            single = min(n, args.single)
            if single == 0:
                continue
            start = time.perf_counter()
            for name in names[:single]:
                subprocess.run([exe, "-y", "--json", "--drawing", name], cwd=folder,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            each = (time.perf_counter() - start) / single
            print(f"{single} problems, one process each:              {each * single:.2f} s, "
                  f"{each * 1e3:.2f} ms a problem against {shipped[0] / n * 1e3:.2f} ms in the "
                  f"batch")


if __name__ == "__main__":
    main()
