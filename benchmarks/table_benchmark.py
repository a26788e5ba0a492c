#!/usr/bin/env python3
"""A table of bearings against as many input files on one command line.

Writes N input files (the shipped examples in turn, each its own mark) into
one scratch folder and their table (`--to-table`) beside it, then times:
  - `bearingpad -y --json --schedule=schedule.csv FILE...`, all N on one
    command line (a report and a JSON each);
  - `bearingpad -y --table table.csv --out rows --json --schedule=rows.csv`,
    which also writes each row's input file.
Both schedules must hold the same rows (the table's with its mark, location,
quantity and type before them, the file's folder aside). Prints the time per
problem of each and the ratio; nothing is asserted on time.

    python3 benchmarks/table_benchmark.py --exe build/bearingpad [--problems 10000]
"""
import argparse
import pathlib
import subprocess
import sys
import tempfile
import time


def timed(argv, cwd):
    start = time.perf_counter()
    r = subprocess.run(argv, cwd=cwd, capture_output=True)
    took = time.perf_counter() - start
    if r.returncode != 0:
        sys.exit(f"{argv[1:4]}: status {r.returncode}\n{r.stderr.decode()[:2000]}")
    return took


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--exe", required=True)
    ap.add_argument("--problems", type=int, default=10000)
    args = ap.parse_args()
    exe = str(pathlib.Path(args.exe).resolve())
    examples = sorted((pathlib.Path(__file__).parent.parent / "examples").glob("*.dat"))
    with tempfile.TemporaryDirectory() as tmp:
        tmp = pathlib.Path(tmp)
        files, rows = tmp / "files", tmp / "rows"
        files.mkdir()
        rows.mkdir()
        names = [f"p{i:05d}.dat" for i in range(args.problems)]
        for i, name in enumerate(names):
            (files / name).write_bytes(examples[i % len(examples)].read_bytes())
        r = subprocess.run([exe, "--to-table", *names], cwd=files, capture_output=True)
        (tmp / "table.csv").write_bytes(r.stdout)

        by_files = timed([exe, "-y", "--json", "--schedule=../files.csv", *names], files)
        by_table = timed([exe, "-y", "--table", "table.csv", "--out", "rows", "--json",
                          "--schedule=rows.csv"], tmp)
        a = (tmp / "files.csv").read_bytes().split(b"\r\n")[1:-1]
        b = (tmp / "rows.csv").read_bytes().split(b"\r\n")[1:-1]
        # The table's row: mark, location, quantity, type, then rows/FILE.
        b = [row.split(b",", 4)[4].replace(b"rows/", b"", 1) for row in b]
        if a != b or len(a) != len(names):
            sys.exit("the table's schedule is not the files' schedule")

    n = len(names)
    print(f"{n} input files on one command line: {by_files:.3f} s, "
          f"{by_files / n * 1e3:.3f} ms a problem (report, JSON, schedule row)")
    print(f"a table of {n} rows (--table):      {by_table:.3f} s, "
          f"{by_table / n * 1e3:.3f} ms a row (its input file too)")
    print(f"ratio table / files: {by_table / by_files:.2f}")


if __name__ == "__main__":
    main()
