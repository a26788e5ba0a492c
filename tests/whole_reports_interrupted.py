#!/usr/bin/env python3
"""The built program interrupted and raced, with real files.

Interruption: a batch of problems with -y --json --drawing over existing
reports, JSON and drawings, sent a signal that ends the program (SIGINT,
SIGTERM, SIGHUP, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM or SIGKILL) at a random
moment of the run, many times. Afterwards each problem's report, JSON and
drawing are either all the old ones or all complete new ones of one run (the
report equal to the model run but for the banner's date and time), the run
ended by the signal, and after a catchable signal no temporary file is left;
one left by SIGKILL never has a report's name. A set split by SIGKILL is
counted, not a fault: the README says it can happen.

Concurrency: two runs that write the same report, JSON and drawing at once
(pier3.dat and pier3.txt, two different problems), many times, every other
round over a report that does not exist yet: the three files are always the
whole files of one of them, and both runs end with status 0.

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


OUTPUTS = (".rpt", ".json", ".svg")


def reports(folder):
    return {n: open(os.path.join(folder, n), "rb").read()
            for n in os.listdir(folder) if n.endswith(".rpt")}


def outputs(folder, stem):
    """The problem's report (masked), JSON and drawing; None for one absent."""
    found = []
    for ext in OUTPUTS:
        path = os.path.join(folder, stem + ext)
        data = open(path, "rb").read() if os.path.exists(path) else None
        found.append(masked(data) if ext == ".rpt" and data is not None else data)
    return tuple(found)


def temporaries(folder):
    return sorted(n for n in os.listdir(folder) if TEMPORARY_MARK in n)


def interruption(exe, folder, problems, rounds, deadline, faults):
    inputs = ["p%03d.dat" % i for i in range(problems)]
    stems = [n[:-4] for n in inputs]
    for i, name in enumerate(inputs):
        shutil.copyfile(os.path.join(folder, "..", "ex%d" % (i % len(examples()))),
                        os.path.join(folder, name))
    args = [exe, "-y", "--json", "--drawing"] + inputs
    start = time.monotonic()
    subprocess.run(args, cwd=folder, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   check=False)
    duration = time.monotonic() - start
    model = {stem: outputs(folder, stem) for stem in stems}
    old = {stem: tuple(b"old " + ext.encode() + b" of " + stem.encode() + b"\r\n"
                       for ext in OUTPUTS) for stem in stems}
    counts = {}
    signals = [signal.SIGINT, signal.SIGTERM, signal.SIGKILL, signal.SIGHUP, signal.SIGQUIT,
               signal.SIGUSR1, signal.SIGUSR2, signal.SIGALRM]
    for r in range(rounds):
        if time.monotonic() > deadline:
            break
        for stem, files in old.items():
            for ext, b in zip(OUTPUTS, files):
                with open(os.path.join(folder, stem + ext), "wb") as f:
                    f.write(b)
        sig = signals[r % len(signals)]
        p = subprocess.Popen(args, cwd=folder, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
        time.sleep(random.uniform(0.0, duration * 0.9))
        p.send_signal(sig)
        p.wait()
        kept = new = split = 0
        for stem in stems:
            now = outputs(folder, stem)
            if now == old[stem]:
                kept += 1
            elif now == model[stem]:
                new += 1
            else:
                # Each file on its own is old or new: a split set, or a piece.
                whole = all(n in (o, m) for n, o, m in zip(now, old[stem], model[stem]))
                if not whole:
                    faults.append("%s: %s's files neither old nor whole" % (sig.name, stem))
                elif sig != signal.SIGKILL:
                    faults.append("%s: %s's report, JSON and drawing from different runs"
                                  % (sig.name, stem))
                split += 1
        # A run that ended before the signal came wrote every set.
        finished = p.returncode == 0 and kept == 0 and split == 0
        if p.returncode != -sig and not finished:
            faults.append("%s: status %d, not ended by the signal" % (sig.name, p.returncode))
        left = temporaries(folder)
        if left and sig != signal.SIGKILL:
            faults.append("%s: temporary files left: %s" % (sig.name, " ".join(left[:3])))
        for n in left:
            if n.endswith(OUTPUTS):
                faults.append("a temporary file named as an output: " + n)
            os.remove(os.path.join(folder, n))
        c = counts.setdefault(sig.name, [0, 0, 0, 0, 0])
        c[0] += not finished
        c[1] += p.returncode == -sig
        c[2] += new if not finished else 0
        c[3] += split
        c[4] += len(left)
    print("interruption: %d problems with -y --json --drawing, a whole run %.2f s"
          % (problems, duration))
    for name, (runs, killed, new, split, left) in sorted(counts.items()):
        print("  %s: %d runs, %d ended by the signal, %d new sets, %d old kept, %d split, "
              "%d temporary files left" % (name, runs, killed, new, runs * problems - new - split,
                                           split, left))


def concurrency(exe, folder, rounds, deadline, faults):
    ex = examples()
    shutil.copyfile(os.path.join(folder, "..", "ex0"), os.path.join(folder, "pier3.dat"))
    shutil.copyfile(os.path.join(folder, "..", "ex%d" % (len(ex) - 1)),
                    os.path.join(folder, "pier3.txt"))
    models = set()
    for name in ("pier3.dat", "pier3.txt"):
        subprocess.run([exe, "-y", "--json", "--drawing", name], cwd=folder,
                       stdout=subprocess.DEVNULL, check=True)
        models.add(outputs(folder, "pier3"))
    if len(models) != 2:
        faults.append("concurrency: the two problems give the same files")
    done = 0
    for r in range(rounds):
        if time.monotonic() > deadline:
            break
        if r % 2:
            # The report does not exist yet: -y replaces the one that the
            # other run puts there meanwhile.
            for ext in OUTPUTS:
                if os.path.exists(os.path.join(folder, "pier3" + ext)):
                    os.remove(os.path.join(folder, "pier3" + ext))
        runs = [subprocess.Popen([exe, "-y", "--json", "--drawing", name], cwd=folder,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
                for name in ("pier3.dat", "pier3.txt")]
        for p in runs:
            err = p.communicate()[1]
            if p.returncode != 0:
                faults.append("concurrency: status %d: %r" % (p.returncode, err))
        if outputs(folder, "pier3") not in models:
            faults.append("concurrency: pier3's files are not the whole files of one problem")
        if temporaries(folder):
            faults.append("concurrency: temporary files left")
        done += 1
    print("concurrency: %d rounds of two runs writing pier3's report, JSON and drawing" % done)


def windows_interruption(exe, folder, problems, rounds, deadline, faults):
    """The Windows program under wine, sent SIGINT (wine's Ctrl-C) mid-batch:
    it ends with the interrupted status 0xC000013A (58 as wine's process
    ends, its low byte), never 0, and each set stays whole."""
    inputs = ["w%03d.dat" % i for i in range(problems)]
    stems = [n[:-4] for n in inputs]
    for i, name in enumerate(inputs):
        shutil.copyfile(os.path.join(folder, "..", "ex%d" % (i % len(examples()))),
                        os.path.join(folder, name))
    args = ["wine", exe, "-y", "--json", "--drawing"] + inputs
    start = time.monotonic()
    subprocess.run(args, cwd=folder, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   check=False)
    duration = time.monotonic() - start
    model = {stem: outputs(folder, stem) for stem in stems}
    interrupted = 0
    for r in range(rounds):
        if time.monotonic() > deadline:
            break
        for stem in stems:
            for ext in OUTPUTS:
                with open(os.path.join(folder, stem + ext), "wb") as f:
                    f.write(b"old")
        p = subprocess.Popen(args, cwd=folder, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
        time.sleep(random.uniform(duration * 0.3, duration * 0.8))
        p.send_signal(signal.SIGINT)
        p.wait()
        # wine's launcher may end before the Windows process has finished
        # abandoning its set: give it a moment to remove its temporaries.
        settle = time.monotonic() + 5
        while temporaries(folder) and time.monotonic() < settle:
            time.sleep(0.05)
        states = [outputs(folder, stem) for stem in stems]
        if all(s == model[stem] for s, stem in zip(states, stems)) and p.returncode == 0:
            continue  # ended before the signal came
        interrupted += 1
        if p.returncode != 0xC000013A & 0xFF:
            faults.append("wine SIGINT: status %d, not the interrupted status" % p.returncode)
        for s_, stem in zip(states, stems):
            if s_ != model[stem] and s_ != (b"old",) * 3:
                faults.append("wine SIGINT: %s's files from different runs" % stem)
        # Whatever is left goes before the next round.
        for n in temporaries(folder):
            try:
                os.remove(os.path.join(folder, n))
            except FileNotFoundError:
                pass
    print("wine: %d of %d runs interrupted by SIGINT (a whole run %.2f s)"
          % (interrupted, rounds, duration))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--exe", required=True)
    ap.add_argument("--problems", type=int, default=200)
    ap.add_argument("--rounds", type=int, default=96, help="interrupted runs, an eighth per signal")
    ap.add_argument("--races", type=int, default=200)
    ap.add_argument("--seconds", type=float, default=90, help="time for each of the parts")
    ap.add_argument("--windows-exe", help="bearingpad.exe, interrupted under wine too")
    ap.add_argument("--windows-rounds", type=int, default=6)
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
        if a.windows_exe:
            os.mkdir(os.path.join(top, "wine"))
            deadline = time.monotonic() + a.seconds
            windows_interruption(os.path.abspath(a.windows_exe), os.path.join(top, "wine"), 60,
                                 a.windows_rounds, deadline, faults)
    for f in faults[:20]:
        print("FAULT: " + f)
    print("%d faults" % len(faults))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
