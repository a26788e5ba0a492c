#!/usr/bin/env python3
"""The built program interrupted and raced, with real files.

Interruption: a batch of problems with -y over existing reports, sent SIGINT,
SIGTERM or SIGKILL at a random moment of the run, many times. Afterwards every
report is either the old one or a complete new one (equal to the model run
but for the banner's date and time), and after SIGINT or SIGTERM no temporary
file is left; one left by SIGKILL never has a report's name.

Concurrency: two runs that write the same report at once (pier3.dat and
pier3.txt, two different problems), many times: the report is always the
whole report of one of them, and both runs end with status 0.

Bounded in rounds and in time; stops by itself.

    python3 tests/whole_reports_interrupted.py --exe build/bearingpad
"""
import argparse
import glob
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SOURCE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TEMPORARY_MARK = "~bp"


def masked(report):
    """The report with the banner's date (line 1) and time (line 2) blanked."""
    lines = report.split(b"\r\n", 2)
    if len(lines) < 3 or len(lines[0]) < 10 or len(lines[1]) < 8:
        return report
    return b"\r\n".join([lines[0][:1] + b"#" * 9 + lines[0][10:], b"#" * 8 + lines[1][8:], lines[2]])


def examples():
    names = sorted(glob.glob(os.path.join(SOURCE, "examples", "*.dat")))
    return [open(n, "rb").read() for n in names]


def reports(folder):
    return {n: open(os.path.join(folder, n), "rb").read()
            for n in os.listdir(folder) if n.endswith(".rpt")}


def temporaries(folder):
    return sorted(n for n in os.listdir(folder) if TEMPORARY_MARK in n)


def interruption(exe, folder, problems, rounds, deadline, faults):
    inputs = ["p%03d.dat" % i for i in range(problems)]
    for i, name in enumerate(inputs):
        shutil.copyfile(os.path.join(folder, "..", "ex%d" % (i % len(examples()))),
                        os.path.join(folder, name))
    start = time.monotonic()
    subprocess.run([exe, "-y"] + inputs, cwd=folder, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=False)
    duration = time.monotonic() - start
    model = {n: masked(b) for n, b in reports(folder).items()}
    old = {n: b"old report of " + n.encode() + b"\r\n" for n in model}
    counts = {}
    signals = [signal.SIGINT, signal.SIGTERM, signal.SIGKILL]
    for r in range(rounds):
        if time.monotonic() > deadline:
            break
        for n, b in old.items():
            with open(os.path.join(folder, n), "wb") as f:
                f.write(b)
        sig = signals[r % 3]
        p = subprocess.Popen([exe, "-y"] + inputs, cwd=folder, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
        time.sleep(random.uniform(0.0, duration * 0.9))
        p.send_signal(sig)
        p.wait()
        now = reports(folder)
        kept = sum(1 for n in old if now.get(n) == old[n])
        new = sum(1 for n in old if now.get(n) != old[n] and masked(now.get(n, b"")) == model[n])
        if kept + new != len(old) or len(now) != len(old):
            faults.append("%s: %d reports neither old nor whole" % (sig.name, len(old) - kept - new))
        left = temporaries(folder)
        if left and sig != signal.SIGKILL:
            faults.append("%s: temporary files left: %s" % (sig.name, " ".join(left[:3])))
        for n in left:
            if n.endswith(".rpt"):
                faults.append("a temporary file named as a report: " + n)
            os.remove(os.path.join(folder, n))
        c = counts.setdefault(sig.name, [0, 0, 0, 0])
        c[0] += 1
        c[1] += p.returncode == -sig
        c[2] += new
        c[3] += len(left)
    print("interruption: %d problems, a whole run %.2f s" % (problems, duration))
    for name, (runs, killed, new, left) in sorted(counts.items()):
        print("  %s: %d runs, %d ended by the signal, %d new reports and %d old kept in all, "
              "%d temporary files left" % (name, runs, killed, new, runs * problems - new, left))


def concurrency(exe, folder, rounds, deadline, faults):
    ex = examples()
    shutil.copyfile(os.path.join(folder, "..", "ex0"), os.path.join(folder, "pier3.dat"))
    shutil.copyfile(os.path.join(folder, "..", "ex%d" % (len(ex) - 1)),
                    os.path.join(folder, "pier3.txt"))
    models = set()
    for name in ("pier3.dat", "pier3.txt"):
        subprocess.run([exe, "-y", name], cwd=folder, stdout=subprocess.DEVNULL, check=True)
        models.add(masked(open(os.path.join(folder, "pier3.rpt"), "rb").read()))
    if len(models) != 2:
        faults.append("concurrency: the two problems give the same report")
    done = 0
    for _ in range(rounds):
        if time.monotonic() > deadline:
            break
        runs = [subprocess.Popen([exe, "-y", name], cwd=folder, stdout=subprocess.DEVNULL,
                                 stderr=subprocess.PIPE) for name in ("pier3.dat", "pier3.txt")]
        for p in runs:
            err = p.communicate()[1]
            if p.returncode != 0:
                faults.append("concurrency: status %d: %r" % (p.returncode, err))
        if masked(open(os.path.join(folder, "pier3.rpt"), "rb").read()) not in models:
            faults.append("concurrency: pier3.rpt is not the whole report of either problem")
        if temporaries(folder):
            faults.append("concurrency: temporary files left")
        done += 1
    print("concurrency: %d rounds of two runs writing pier3.rpt" % done)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--exe", required=True)
    ap.add_argument("--problems", type=int, default=200)
    ap.add_argument("--rounds", type=int, default=90, help="interrupted runs, a third per signal")
    ap.add_argument("--races", type=int, default=200)
    ap.add_argument("--seconds", type=float, default=90, help="time for each of the two parts")
    a = ap.parse_args()
    exe = os.path.abspath(a.exe)
    random.seed(22)
    faults = []
    with tempfile.TemporaryDirectory(prefix="bp-whole-") as top:
        for i, bytes_ in enumerate(examples()):
            with open(os.path.join(top, "ex%d" % i), "wb") as f:
                f.write(bytes_)
        for part in ("batch", "race"):
            os.mkdir(os.path.join(top, part))
        deadline = time.monotonic() + a.seconds
        interruption(exe, os.path.join(top, "batch"), a.problems, a.rounds, deadline, faults)
        deadline = time.monotonic() + a.seconds
        concurrency(exe, os.path.join(top, "race"), a.races, deadline, faults)
    for f in faults[:20]:
        print("FAULT: " + f)
    print("%d faults" % len(faults))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
