#!/usr/bin/python3
"""Process-level measurements, each against a floor measured in the same run:

  start-up   quintara from process start to its first painted main window
             (with QUINTARA_FIRST_PAINT_PROBE=1 it then quits), against
             bare_chrome --quit of the shared floors (a main window with the
             same menu bar, toolbar, status bar and 16 boxed names): the time
             to the first paint, the whole run to its end (wall and cpu) and
             the peak memory (maximum resident set);
  batch PDF  `quintara --print-to-pdf` of the demo strip, against bare_pdf of
             the shared floors (one page with one letter printed to PDF
             through QPrinter): wall, cpu and peak memory;
  sheet      one `quintara --print-to-pdf` of 60 strips on one sheet (10
             pages), against 60 single `--print-to-pdf` runs of the same
             files: the time of all 60 together, and the largest peak
             memory among them.

Subject and floor run in turns, which goes first alternating, so that the
load of a shared machine falls on both alike. Each figure is the ratio of
the medians; the spread in brackets is the 25th to 75th percentile of the
ratios of the single turns.

Usage: processes.py BUILD_DIR RUNS FLOOR_DIR. FLOOR_DIR holds the built
shared floors. Runs under the display that is set (QT_QPA_PLATFORM=offscreen,
or an X server in DISPLAY); prints the medians and "RATIO" lines.
"""

import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

build = sys.argv[1]
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 9
floors = sys.argv[3]
root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
quintara = os.path.join(build, "quintara")
demo = os.path.join(root, "tests", "data", "demo.V7N")
display = "Xvfb" if not os.environ.get("QT_QPA_PLATFORM") else os.environ["QT_QPA_PLATFORM"]

home = tempfile.mkdtemp(prefix="quintara-bench-")
env = dict(os.environ)
env.update({
    "HOME": home,
    "XDG_CONFIG_HOME": os.path.join(home, ".config"),
    "XDG_DATA_HOME": os.path.join(home, ".local", "share"),
    "XDG_STATE_HOME": os.path.join(home, ".local", "state"),
    "XDG_RUNTIME_DIR": os.path.join(home, "run"),
    "QUINTARA_FIRST_PAINT_PROBE": "1",
})
os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700)


def run(argv):
    """Time to the first paint (or to the end), whole wall and cpu time in
    ms, and peak RSS in MB."""
    start = time.monotonic_ns()
    proc = subprocess.Popen(argv, env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    out = proc.stdout.read().decode()
    _, status, usage = os.wait4(proc.pid, 0)
    end = time.monotonic_ns()
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"{argv[0]} failed: {status}")
    mark = end
    for line in out.splitlines():
        if line.startswith("first-paint "):
            mark = int(line.split()[1])
    cpu = (usage.ru_utime + usage.ru_stime) * 1000.0
    return {"first": (mark - start) / 1e6, "wall": (end - start) / 1e6, "cpu": cpu,
            "memory": usage.ru_maxrss / 1024.0}


def quartiles(values):
    q = statistics.quantiles(values, n=4)
    return q[0], q[2]


def measure(name, subject, floor, floor_name, figures):
    run(subject)  # warm-up: caches, and the per-user desktop files written once
    run(floor)
    s, f = [], []
    for i in range(runs):
        pair = [(subject, s), (floor, f)]
        for argv, into in (pair if i % 2 == 0 else reversed(pair)):
            into.append(run(argv))
    report(name, runs, "quintara", s, floor_name, f, figures)


def report(name, reps, subject_name, s, floor_name, f, figures):
    """The medians, and the RATIO lines the performance table is made of."""
    for key in figures:
        sm = statistics.median(x[key] for x in s)
        fm = statistics.median(x[key] for x in f)
        unit = "MB" if key == "memory" else "ms"
        lo, hi = quartiles([a[key] / b[key] for a, b in zip(s, f)])
        print(f"{name} {key} ({display}, median of {reps}): {subject_name} {sm:.1f} {unit}; "
              f"{floor_name} {fm:.1f} {unit}")
        print(f"RATIO {name + '-' + key:<22} {sm / fm:7.3f} x {floor_name} ({display}) "
              f"[{lo:.3f} .. {hi:.3f}]")


def measure_sheet(count=60):
    files = []
    for i in range(count):
        files.append(os.path.join(home, f"strip{i:02d}.V7N"))
        shutil.copyfile(demo, files[-1])
    sheet = [quintara, "--print-to-pdf", os.path.join(home, "sheet.pdf")] + files

    def singles():
        total = {"wall": 0.0, "memory": 0.0}
        for i, path in enumerate(files):
            r = run([quintara, "--print-to-pdf", os.path.join(home, f"single{i:02d}.pdf"), path])
            total["wall"] += r["wall"]
            total["memory"] = max(total["memory"], r["memory"])
        return total

    run(sheet)
    reps = max(3, runs // 2)
    s, f = [], []
    for _ in range(reps):
        s.append(run(sheet))
        f.append(singles())
    report("sheet", reps, f"one run of {count} strips", s,
           f"{count} single runs (memory: the largest)", f, ["wall", "memory"])


chrome = [os.path.join(floors, "bare_chrome"), "--quit"]
measure("start-up", [quintara], chrome, "bare_chrome", ["first", "wall", "cpu", "memory"])
if display != "Xvfb":
    out = os.path.join(home, "strip.pdf")
    measure("print-to-pdf", [quintara, "--print-to-pdf", out, demo],
            [os.path.join(floors, "bare_pdf"), os.path.join(home, "floor.pdf")], "bare_pdf",
            ["wall", "cpu", "memory"])
    if len(sys.argv) <= 4 or sys.argv[4] != "--no-sheet":
        measure_sheet()
