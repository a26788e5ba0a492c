#!/usr/bin/env python3
"""The bearing schedule of many problems: one run against one run per problem.

Writes N input files (the shipped examples in turn) into a scratch folder,
then times:
  - one run of `bearingpad -y --json --schedule=schedule.csv FILE...` over all N;
  - SAMPLE runs of `bearingpad -y --json --schedule FILE`, one problem each
    (the rows collected from standard output), a sample of the N problems,
    since a process per problem for all of them takes minutes.
The sampled rows must equal those of the one run. Prints the time per problem
of each and the ratio.

    python3 benchmarks/schedule_benchmark.py --exe build/bearingpad
        [--problems 10000] [--sample 500]
"""
import argparse
import pathlib
import subprocess
import sys
import tempfile
import time


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--exe", required=True)
    ap.add_argument("--problems", type=int, default=10000)
    ap.add_argument("--sample", type=int, default=500)
    args = ap.parse_args()
    exe = str(pathlib.Path(args.exe).resolve())
    examples = sorted((pathlib.Path(__file__).parent.parent / "examples").glob("*.dat"))
    with tempfile.TemporaryDirectory() as tmp:
        tmp = pathlib.Path(tmp)
        names = [f"p{i:05d}.dat" for i in range(args.problems)]
        for i, name in enumerate(names):
            (tmp / name).write_bytes(examples[i % len(examples)].read_bytes())

        start = time.perf_counter()
        r = subprocess.run([exe, "-y", "--json", "--schedule=schedule.csv", *names], cwd=tmp,
                           capture_output=True)
        one_run = time.perf_counter() - start
        rows = (tmp / "schedule.csv").read_bytes().split(b"\r\n")[1:-1]
        if r.returncode != 0 or len(rows) != len(names):
            sys.exit(f"the one run failed: status {r.returncode}\n{r.stderr.decode()}")

        step = max(1, len(names) // max(1, args.sample))
        sample = names[::step][:args.sample]
        start = time.perf_counter()
        for name in sample:
            r = subprocess.run([exe, "-y", "--json", "--schedule", name], cwd=tmp,
                               capture_output=True)
            row = r.stdout.split(b"\r\n")[1]
            if r.returncode != 0 or row != rows[names.index(name)]:
                sys.exit(f"{name}: the run of its own gave another row")
        per_process = time.perf_counter() - start

    n, k = len(names), len(sample)
    print(f"{n} problems, one --schedule run:    {one_run:.3f} s, "
          f"{one_run / n * 1e3:.3f} ms a problem (report, JSON and row)")
    print(f"{k} of them, one process each (a sample): {per_process:.3f} s, "
          f"{per_process / k * 1e3:.3f} ms a problem")
    print(f"one run is {per_process / k / (one_run / n):.1f} times faster per problem")


if __name__ == "__main__":
    main()
