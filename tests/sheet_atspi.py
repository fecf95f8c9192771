"""The running combat sheet as a screen reader sees it, through the accessibility bus.

Controls are found by role and accessible name, so a moved control is still found and a
missing one fails with its name.
"""
import subprocess
import sys
import time

import pyatspi

# The selector's drop-down list and the log's scroll bars are not controls of the sheet.
NOT_CONTROLS = ("list", "scroll bar")


def wait_for(condition, what, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(0.05)
    sys.exit(f"gave up waiting: {what}")


def find_sheet():
    def sheet():
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "combat-sheet" and app.childCount > 0:
                return app
        return None
    return wait_for(sheet, "the sheet on the accessibility bus")


def controls(node, skip=NOT_CONTROLS):
    for child in node:
        if child is None or child.getRoleName() in skip:
            continue
        yield child
        yield from controls(child, skip)


def find(app, role, name, skip=NOT_CONTROLS):
    for node in controls(app, skip):
        if node.getRoleName() == role and node.name == name:
            return node
    sys.exit(f"no {role} named {name!r}")


def text_of(node):
    return node.queryText().getText(0, -1)


def is_enabled(node):
    return node.getState().contains(pyatspi.STATE_SENSITIVE)


def click(node):
    """A real mouse click at the middle of the control, as the user's pointer makes it."""
    x, y, width, height = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", str(x + width // 2), str(y + height // 2),
                    "click", "1"], check=True)


def press_key(key):
    subprocess.run(["xdotool", "key", key], check=True)
