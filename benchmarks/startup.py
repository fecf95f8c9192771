#!/usr/bin/env python3
"""Start-up of the combat sheet against the toolkit's floor, and with large tables.

Both programs quit once their window's first frame is shown: startup_sheet runs the sheet's
own start-up, startup_floor shows one empty Qt window. Each pair also runs quitting at the
first turn of the event loop, before anything is drawn. They run alternately, after one
warm-up round, offscreen and on a virtual X display (an Xvfb screen this script starts,
the xcb plugin). Then startup_sheet runs offscreen with generated tables: 100,000 rows, the
largest table accepted (just under 16 MiB of CP932 rows) and the worst case (16 MiB of
one-letter lines). Prints medians of wall time, process (CPU) time and peak resident memory.
Usage: startup.py BUILD_DIR [RUNS]
"""
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

programs = ("startup_sheet", "startup_floor")
example = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "example", "RatingTable.txt")
limit = 16 * 1024 * 1024  # larger tables are refused


def run_once(path, folder, env):
    start = time.perf_counter()
    child = subprocess.Popen([path], cwd=folder, env=env, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    elapsed = time.perf_counter() - start
    if status != 0:
        sys.exit(f"{path} exited with status {status}")
    return elapsed * 1000, (usage.ru_utime + usage.ru_stime) * 1000, usage.ru_maxrss / 1024


def medians(path, folder, env, count):
    samples = [run_once(path, folder, env) for _ in range(count)]
    return [statistics.median(column) for column in zip(*samples)]


def against_floor(folder, env, label):
    samples = {name: [] for name in programs}
    for run in range(runs + 1):
        for name, path in programs.items():
            sample = run_once(path, folder, env)
            if run > 0:  # the first round only warms the caches
                samples[name].append(sample)
    print(f"\n{label}, {runs} runs each, medians")
    print(f"{'program':<15}{'wall ms':>10}{'CPU ms':>10}{'peak RSS MiB':>14}")
    result = {}
    for name, values in samples.items():
        result[name] = [statistics.median(column) for column in zip(*values)]
        print(f"{name:<15}{result[name][0]:>10.1f}{result[name][1]:>10.1f}{result[name][2]:>14.1f}")
    sheet, floor = result["startup_sheet"], result["startup_floor"]
    print(f"{'ratio':<15}{sheet[0] / floor[0]:>10.2f}{sheet[1] / floor[1]:>10.2f}{sheet[2] / floor[2]:>14.2f}")


def start_display():
    """An Xvfb screen on a free display number; returns the process and the number."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                               "-nolisten", "tcp"], pass_fds=[write_end], stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as reader:
        number = reader.readline().strip()
    if not number:
        sys.exit("Xvfb did not start")
    return server, number


def write_tables(folder):
    """Generated tables, each in a folder of its own: name -> (folder, size in bytes)."""
    with open(example, "rb") as source:
        content = source.read()
        rows = [line.split(b",", 1) for line in content.splitlines() if b"," in line]

    def numbered(count):
        for i in range(count):
            name, values = rows[i % len(rows)]
            yield b"%s%d,%s\r\n" % (name, i, values)

    def largest():
        size = 0
        for row in numbered(limit):
            if size + len(row) >= limit:
                return
            size += len(row)
            yield row

    tables = {"example table": [content], "100,000 rows": numbered(100000),
              "largest accepted": largest(), "worst case, one-letter lines": (b"a\n" for _ in range(limit // 2 - 1))}
    result = {}
    for index, (name, lines) in enumerate(tables.items()):
        path = os.path.join(folder, str(index))
        os.mkdir(path)
        with open(os.path.join(path, "RatingTable.txt"), "wb") as table:
            table.writelines(lines)
        with open(os.path.join(path, "RatingTable.txt"), "rb") as table:
            count = table.read().count(b"\n")
        result[f"{name} ({count:,} lines)"] = (path, os.path.getsize(os.path.join(path, "RatingTable.txt")))
    return result


if sys.argv[1] == "--write-tables":
    print(json.dumps(write_tables(sys.argv[2])))
    sys.exit()
build = os.path.abspath(sys.argv[1])
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 21
programs = {name: os.path.join(build, "benchmarks", name) for name in programs}

with tempfile.TemporaryDirectory() as folder:
    # A child's peak memory includes that of this process before the child started, so the
    # tables are written by another one and this one stays smaller than any program measured.
    tables = json.loads(subprocess.run([sys.executable, __file__, "--write-tables", folder],
                                       check=True, capture_output=True).stdout)
    example_folder = next(iter(tables.values()))[0]
    offscreen = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    # Quitting before the first frame is drawn leaves out the painting: the start-up alone.
    unpainted = {"STARTUP_QUIT_BEFORE_PAINTING": "1"}
    against_floor(example_folder, offscreen, "offscreen")
    against_floor(example_folder, dict(offscreen, **unpainted), "offscreen, quit before painting")

    server, number = start_display()
    try:
        display = dict(os.environ, QT_QPA_PLATFORM="xcb", DISPLAY=f":{number}")
        display.pop("WAYLAND_DISPLAY", None)
        against_floor(example_folder, display, f"X display (Xvfb :{number}, xcb)")
        against_floor(example_folder, dict(display, **unpainted),
                      f"X display (Xvfb :{number}, xcb), quit before painting")
    finally:
        server.terminate()
        server.wait()

    print("\nstartup_sheet with tables, offscreen, medians")
    print(f"{'table':<44}{'bytes':>10}{'runs':>6}{'wall ms':>10}{'CPU ms':>10}{'peak RSS MiB':>14}{'above example / bytes':>23}")
    base = None
    for name, (path, size) in tables.items():
        count = 3 if size > 1000000 else 11
        wall, cpu, peak = medians(programs["startup_sheet"], path, offscreen, count)
        base = peak if base is None else base
        above = f"{(peak - base) * 1024 * 1024 / size:.2f}" if size > 1000000 else ""
        print(f"{name:<44}{size:>10}{count:>6}{wall:>10.1f}{cpu:>10.1f}{peak:>14.1f}{above:>23}")
