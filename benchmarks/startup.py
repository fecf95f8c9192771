#!/usr/bin/env python3
"""Start-up of the combat sheet against the toolkit's floor.

Runs the sheet's own start-up (startup_sheet, which quits as soon as its window is shown)
and a minimal Qt Widgets program (startup_floor) alternately, on the same platform plugin,
and prints the median wall time and peak resident memory of each and their ratio.
Usage: startup.py BUILD_DIR [RUNS]
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time

build = os.path.abspath(sys.argv[1])
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 21
programs = {name: os.path.join(build, "benchmarks", name) for name in ("startup_sheet", "startup_floor")}
table = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "example", "RatingTable.txt")
env = dict(os.environ, QT_QPA_PLATFORM=os.environ.get("QT_QPA_PLATFORM", "offscreen"))

with tempfile.TemporaryDirectory() as folder:
    with open(table, "rb") as source, open(os.path.join(folder, "RatingTable.txt"), "wb") as copy:
        copy.write(source.read())
    results = {name: ([], []) for name in programs}
    for run in range(runs + 1):
        for name, path in programs.items():
            start = time.perf_counter()
            child = subprocess.Popen([path], cwd=folder, env=env, stderr=subprocess.DEVNULL)
            _, status, usage = os.wait4(child.pid, 0)
            elapsed = time.perf_counter() - start
            if status != 0:
                sys.exit(f"{name} exited with status {status}")
            if run > 0:  # the first round only warms the caches
                results[name][0].append(elapsed * 1000)
                results[name][1].append(usage.ru_maxrss / 1024)

print(f"{'program':<15}{'median wall ms':>16}{'median peak RSS MiB':>22}   ({runs} runs each, {env['QT_QPA_PLATFORM']})")
medians = {}
for name, (times, memory) in results.items():
    medians[name] = (statistics.median(times), statistics.median(memory))
    print(f"{name:<15}{medians[name][0]:>16.1f}{medians[name][1]:>22.1f}")
sheet, floor = medians["startup_sheet"], medians["startup_floor"]
print(f"{'ratio':<15}{sheet[0] / floor[0]:>16.2f}{sheet[1] / floor[1]:>22.2f}")
