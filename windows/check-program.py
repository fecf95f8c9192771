#!/usr/bin/python3
"""Drives the Windows program from the zip's folder under Wine with xdotool and reads what it
shows through the clipboard, which Wine shares with X: a short fight whose log must be the
one the Linux sheet writes with the same dice, Reset, and the cannot-open dialog for a
missing table and for a table another Windows program holds open for writing.

Usage: check-program.py PACKAGE_DIR SUITES_DIR REPLAY_TOOL LAYOUT.json [SCREENSHOT.png]
LAYOUT.json is what tools/print-layout prints of the real window: every click goes where the
sheet puts its controls. WINE names the Wine loader; DISPLAY a virtual X screen without a
window manager."""
import datetime
import json
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import zlib

from Xlib import X, display

package, suites, replay, layout_file = sys.argv[1:5]
screenshot = sys.argv[5] if len(sys.argv) > 5 else None
wine = os.environ["WINE"]
with open(layout_file, encoding="utf-8") as file:
    layout = json.load(file)
client_size = tuple(layout["client"])


def control(name, across=0.5):
    """A point inside the named control: its middle, or a share of its width from the left."""
    left, top, width, height = layout["controls"][name]
    return left + int(width * across), top + height // 2


def empty_spot():
    """A point of the sheet that no control covers, towards its bottom right corner."""
    width, height = client_size
    for y in range(height - 16, 0, -8):
        for x in range(width - 16, 0, -8):
            if not any(left - 4 <= x < left + w + 4 and top - 4 <= y < top + h + 4
                       for left, top, w, h in layout["controls"].values()):
                return x, y
    raise SystemExit("the layout leaves no spot of the sheet uncovered")


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def wait_for(condition, what, seconds=60):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(0.2)
    raise SystemExit(f"timed out waiting for {what}")


def find_window(title):
    found = subprocess.run(["xdotool", "search", "--name", f"^{title}$"],
                           capture_output=True, text=True).stdout.split()
    return found[0] if found else None


def client_origin(window):
    """Wine draws the frame itself without a window manager: equal borders left, right and
    below, the caption above."""
    geometry = dict(line.split("=") for line in run("xdotool", "getwindowgeometry", "--shell",
                                                    window).split())
    border = (int(geometry["WIDTH"]) - client_size[0]) // 2
    return border, int(geometry["HEIGHT"]) - client_size[1] - border


def click(window, x, y):
    left, top = client_origin(window)
    run("xdotool", "mousemove", "--window", window, str(left + x), str(top + y), "click", "1")
    time.sleep(0.3)


def key(*keys):
    run("xdotool", "key", "--delay", "100", *keys)
    time.sleep(0.3)


def clipboard():
    return subprocess.run(["xclip", "-o", "-selection", "clipboard"], capture_output=True,
                          text=True).stdout


def read_log(window):
    # Copying an empty selection leaves the clipboard as it was: a mark in it first tells an
    # empty log from the last copy.
    mark = "(the log copied nothing)"
    subprocess.run(["xclip", "-i", "-selection", "clipboard"], input=mark, text=True, check=True)
    click(window, *control("Memo1"))
    key("ctrl+a", "ctrl+c")
    copied = clipboard()
    return "" if copied == mark else copied.replace("\r\n", "\n")


def ms_of_day():
    now = datetime.datetime.now(datetime.timezone.utc)
    return ((now.hour * 60 + now.minute) * 60 + now.second) * 1000 + now.microsecond // 1000


def start_sheet(folder):
    return subprocess.Popen([wine, "combat-sheet.exe"], cwd=folder, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)


def close(window, sheet):
    click(window, *empty_spot())
    key("alt+F4")
    sheet.wait(timeout=30)


def save_screenshot(window, path):
    """Writes the window's client area to a PNG file: the frame around it is Wine's own
    drawing, not what Windows shows."""
    left, top = client_origin(window)
    width, height = client_size
    drawable = display.Display().create_resource_object("window", int(window))
    data = drawable.get_image(left, top, width, height, X.ZPixmap, 0xFFFFFFFF).data
    rows = bytearray()
    for y in range(height):
        row = data[y * width * 4:(y + 1) * width * 4]  # blue, green, red, unused
        rgb = bytearray(width * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = row[2::4], row[1::4], row[0::4]
        rows += b"\0" + rgb

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    with open(path, "wb") as png:
        png.write(b"\x89PNG\r\n\x1a\n" +
                  chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
                  chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))


def expect_cannot_open(folder, what):
    sheet = start_sheet(folder)
    dialog = wait_for(lambda: find_window("Combat-sheet"), f"the cannot-open dialog ({what})")
    time.sleep(0.5)
    key("ctrl+c")  # a Windows message box copies its title and text
    copied = clipboard()
    if "ファイル RatingTable.txt は開けません." not in copied:
        raise SystemExit(f"{what}: the dialog said {copied!r}")
    key("Return")
    window = wait_for(lambda: find_window("Form1"), f"the sheet after the dialog ({what})")
    close(window, sheet)
    print(f"wine: {what}: the cannot-open dialog, then the sheet")


work = tempfile.mkdtemp()
try:
    # A fight from the zip's folder, with its example table.
    folder = os.path.join(work, "sheet")
    shutil.copytree(package, folder)
    started = ms_of_day()
    sheet = start_sheet(folder)
    window = wait_for(lambda: find_window("Form1"), "the sheet")
    shown = ms_of_day()
    click(window, *control("ComboBox1", across=0.3))  # the selector's text, not its arrow
    key("Down")  # the first power
    actions = "IAAADDD"
    buttons = {"I": "Button3", "A": "Button1", "D": "Button2"}
    for action in actions:
        click(window, *control(buttons[action]))
    if screenshot:
        click(window, *empty_spot())  # no control shows the focus
        save_screenshot(window, screenshot)
    log = read_log(window)
    with open(os.path.join(work, "log.txt"), "w", encoding="utf-8") as file:
        file.write(log)
    # The Linux sheet replays the fight in the same folder, with the same example table.
    replayed = subprocess.run([replay, str(started - 1000), str(shown + 1000), actions,
                               os.path.join(work, "log.txt")], cwd=folder, capture_output=True,
                              text=True, env={**os.environ, "QT_QPA_PLATFORM": "offscreen"})
    if replayed.returncode != 0:
        raise SystemExit(f"the fight's log is not the Linux sheet's:\n{log}{replayed.stdout}")
    print("wine: the fight's log is the Linux sheet's: " + replayed.stdout.strip())
    click(window, *control("Button4"))  # Reset: "ログ消去" is checked
    if read_log(window).strip():
        raise SystemExit("Reset left text in the log")
    close(window, sheet)
    print("wine: Reset emptied the log; Alt+F4 ended the program")

    # No table at all.
    empty = os.path.join(work, "empty")
    shutil.copytree(package, empty)
    os.remove(os.path.join(empty, "RatingTable.txt"))
    expect_cannot_open(empty, "a missing table")

    # The table held open for writing by another Windows program: the rating-table suite,
    # started to do just that.
    holder = subprocess.Popen([wine, os.path.join(suites, "tst_ratingtable.exe"), "--hold-open",
                               "write"], cwd=folder, stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, text=True)
    if holder.stdout.readline().strip() != "ready":
        raise SystemExit("the writer did not open the table")
    try:
        expect_cannot_open(folder, "a table held open for writing")
    finally:
        holder.kill()
        holder.wait()
finally:
    shutil.rmtree(work, ignore_errors=True)
