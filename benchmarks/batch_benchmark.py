#!/usr/bin/env python3
"""Many problems: one command-line run against one run of the program each.

Writes N input files (the shipped examples in turn) into a scratch folder,
then times, side by side:
  - one run of `bearingpad -y FILE...` over all N files;
  - N runs of the dialogue, one problem each, the names typed on stdin.
Both must write the same reports (banner date and time aside). Prints the
time per problem of each and the ratio.

    python3 benchmarks/batch_benchmark.py --exe build/bearingpad [--problems 1000]
"""
import argparse
import pathlib
import re
import subprocess
import sys
import tempfile
import time

STAMP = re.compile(rb"^\n\d\d-[A-Z]{3}-\d\d|\r\n\d\d:\d\d:\d\d")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--exe", required=True)
    ap.add_argument("--problems", type=int, default=1000)
    args = ap.parse_args()
    exe = str(pathlib.Path(args.exe).resolve())
    examples = sorted((pathlib.Path(__file__).parent.parent / "examples").glob("*.dat"))
    with tempfile.TemporaryDirectory() as tmp:
        batch, single = pathlib.Path(tmp, "batch"), pathlib.Path(tmp, "single")
        batch.mkdir()
        single.mkdir()
        names = []
        for i in range(args.problems):
            data = examples[i % len(examples)].read_bytes()
            name = f"p{i:04d}.dat"
            (batch / name).write_bytes(data)
            (single / name).write_bytes(data)
            names.append(name)

        start = time.perf_counter()
        r = subprocess.run([exe, "-y", *names], cwd=batch, capture_output=True)
        one_run = time.perf_counter() - start
        if r.returncode != 0 or r.stdout.count(b"\n") != len(names):
            sys.exit(f"command line run failed: status {r.returncode}\n{r.stderr.decode()}")

        start = time.perf_counter()
        for name in names:
            typed = f"{name}\n{name[:-4]}.rpt\nY\n".encode()
            r = subprocess.run([exe], cwd=single, input=typed, capture_output=True)
            if r.returncode != 0:
                sys.exit(f"run of {name} failed: status {r.returncode}\n{r.stderr.decode()}")
        many_runs = time.perf_counter() - start

        for name in names:
            rpt = name[:-4] + ".rpt"
            a, b = (batch / rpt).read_bytes(), (single / rpt).read_bytes()
            if STAMP.sub(b"", a) != STAMP.sub(b"", b):
                sys.exit(f"{rpt}: the two runs wrote different reports")

    n = len(names)
    print(f"{n} problems, one command-line run: {one_run:.3f} s, "
          f"{one_run / n * 1e3:.3f} ms a problem")
    print(f"{n} problems, one run each:         {many_runs:.3f} s, "
          f"{many_runs / n * 1e3:.3f} ms a problem")
    print(f"the command line is {many_runs / one_run:.1f} times faster per problem")


if __name__ == "__main__":
    main()
