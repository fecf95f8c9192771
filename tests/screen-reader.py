#!/usr/bin/python3
"""What a screen reader finds in the running sheet, through the desktop's accessibility bus.

Every input, arrow, option, check box, button and the log must carry a name, no two inputs
may share one, and pressing "Initiative" must announce each new log line as inserted text,
so that the announced text is exactly what the log then holds.
"""
import sys
import time

import pyatspi
from gi.repository import GLib

NAMED_ROLES = {"text", "push button", "radio button", "check box", "combo box"}
failures = []


def find_sheet():
    deadline = time.monotonic() + 20
    while time.monotonic() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "combat-sheet" and app.childCount > 0:
                return app
        time.sleep(0.2)
    sys.exit("the sheet never appeared on the accessibility bus")


def controls(node):
    for child in node:
        if child is None:
            continue
        # The selector's drop-down list and the log's scroll bars are not controls of the sheet.
        if child.getRoleName() in ("list", "scroll bar"):
            continue
        yield child
        yield from controls(child)


def find(app, role, name):
    for node in controls(app):
        if node.getRoleName() == role and node.name == name:
            return node
    sys.exit(f"no {role} named {name!r}")


app = find_sheet()
inputs = {}
named = 0
for node in controls(app):
    role = node.getRoleName()
    if role not in NAMED_ROLES:
        continue
    named += 1
    if not node.name:
        failures.append(f"a {role} has no name")
    # A combo box's own text box rightly shares its name; it is the same input.
    if role in ("text", "combo box") and node.parent.getRoleName() != "combo box":
        if node.name in inputs:
            failures.append(f"two inputs are named {node.name!r}")
        inputs[node.name] = node

log = find(app, "text", "ログ")
announced = []


def on_insert(event):
    if event.source.name == "ログ":
        if not announced:
            first_heard[0] = time.monotonic()
        announced.append(event.any_data)


pyatspi.Registry.registerEventListener(on_insert, "object:text-changed:insert")


def press_initiative():
    find(app, "push button", "Initiative").queryAction().doAction(0)
    return False


def stop_when_announced():
    # Lines arrive one event each; a second after the first, the press has been told in full.
    if (announced and time.monotonic() > first_heard[0] + 1) or time.monotonic() > give_up:
        pyatspi.Registry.stop()
        return False
    return True


give_up = time.monotonic() + 10
first_heard = [None]
GLib.timeout_add(200, press_initiative)
GLib.timeout_add(100, stop_when_announced)
pyatspi.Registry.start()

logged = log.queryText().getText(0, -1)
spoken = "".join(announced).replace("\u2029", "\n")
if not announced:
    failures.append("no line of the log was announced")
elif spoken != logged:
    failures.append(f"announced {spoken!r} but the log holds {logged!r}")

for failure in failures:
    print(failure)
if failures:
    sys.exit(1)
print(f"{named} controls named, {len(inputs)} inputs all named differently; "
      f"{len(announced)} log lines announced")
