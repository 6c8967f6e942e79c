#!/usr/bin/python3
"""Process-level measurements, each against a floor measured in the same run:

  start-up   quintara from process start to its first painted main window,
             against bare_window (one empty Qt Widgets window), with the peak
             memory (maximum resident set) of each; and, to show what the
             font system alone costs, against bare_window --text (the same
             window with one line of text);
  batch PDF  `quintara --print-to-pdf` of the demo strip, against bare_window
             printing one empty page into a PDF file;
  sheet      one `quintara --print-to-pdf` of 60 strips on one sheet (10
             pages), against 60 single `--print-to-pdf` runs of the same
             files: the time of all 60 together, and the largest peak
             memory among them.

Usage: processes.py BUILD_DIR [RUNS]. Runs under the display that is set
(QT_QPA_PLATFORM=offscreen, or an X server in DISPLAY); prints the medians
and "RATIO" lines.
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
root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
quintara = os.path.join(build, "quintara")
bare = os.path.join(build, "bench", "bare_window")
demo = os.path.join(root, "tests", "data", "demo.V7N")
display = "Xvfb" if not os.environ.get("QT_QPA_PLATFORM") else os.environ["QT_QPA_PLATFORM"]

home = tempfile.mkdtemp(prefix="quintara-bench-")
env = dict(os.environ)
env.update({
    "HOME": home,
    "XDG_CONFIG_HOME": os.path.join(home, ".config"),
    "XDG_DATA_HOME": os.path.join(home, ".local", "share"),
    "XDG_RUNTIME_DIR": os.path.join(home, "run"),
    "QUINTARA_FIRST_PAINT_PROBE": "1",
})
os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700)


def run(argv):
    """Wall time to the first paint (or to the end) in ms, and peak RSS in MB."""
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
    return (mark - start) / 1e6, usage.ru_maxrss / 1024.0


def measure(name, subject, floor, floor_name="the floor"):
    run(subject)  # warm-up: caches, and the per-user desktop files written once
    run(floor)
    s_times, s_mem, f_times, f_mem = [], [], [], []
    for _ in range(runs):
        t, m = run(subject)
        s_times.append(t)
        s_mem.append(m)
        t, m = run(floor)
        f_times.append(t)
        f_mem.append(m)
    report(name, runs, "quintara", s_times, s_mem, floor_name, f_times, f_mem)


def report(name, reps, subject_name, s_times, s_mem, floor_name, f_times, f_mem):
    """The medians, and the RATIO lines the performance table is made of."""
    st, ft = statistics.median(s_times), statistics.median(f_times)
    sm, fm = statistics.median(s_mem), statistics.median(f_mem)
    print(f"{name} ({display}, median of {reps}): {subject_name} {st:.1f} ms, {sm:.1f} MB; "
          f"{floor_name} {ft:.1f} ms, {fm:.1f} MB")
    print(f"RATIO {name + '-time':<22} {st / ft:7.3f} x {floor_name} ({display})")
    print(f"RATIO {name + '-memory':<22} {sm / fm:7.3f} x {floor_name} ({display})")


def measure_sheet(count=60):
    files = []
    for i in range(count):
        files.append(os.path.join(home, f"strip{i:02d}.V7N"))
        shutil.copyfile(demo, files[-1])
    sheet = [quintara, "--print-to-pdf", os.path.join(home, "sheet.pdf")] + files

    def singles():
        total, peak = 0.0, 0.0
        for i, path in enumerate(files):
            t, m = run([quintara, "--print-to-pdf", os.path.join(home, f"single{i:02d}.pdf"), path])
            total += t
            peak = max(peak, m)
        return total, peak

    run(sheet)
    reps = max(3, runs // 2)
    s_times, s_mem, f_times, f_mem = [], [], [], []
    for _ in range(reps):
        t, m = run(sheet)
        s_times.append(t)
        s_mem.append(m)
        t, m = singles()
        f_times.append(t)
        f_mem.append(m)
    report("sheet", reps, f"one run of {count} strips", s_times, s_mem,
           f"{count} single runs (memory: the largest)", f_times, f_mem)


measure("start-up", [quintara], [bare], "an empty window")
measure("start-up", [quintara], [bare, "--text"], "a window with text")
if display != "Xvfb":
    out = os.path.join(home, "strip.pdf")
    measure("print-to-pdf", [quintara, "--print-to-pdf", out, demo],
            [bare, "--empty-pdf", os.path.join(home, "empty.pdf")], "an empty PDF page")
    measure_sheet()
