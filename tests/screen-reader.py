#!/usr/bin/python3
"""What a screen reader finds in the running sheet, and what it can do there.

Every input, arrow, option, check box, button and the log must carry a name, no two inputs
may share one, and pressing "Initiative" must announce each new log line as inserted text,
so that the announced text is exactly what the log then holds; picking a power through the
selector's list must enable "Attack Roll".
"""
import sys
import time

import pyatspi
from gi.repository import GLib

from sheet_atspi import controls, find, find_sheet, is_enabled, text_of, wait_for

NAMED_ROLES = {"text", "push button", "radio button", "check box", "combo box"}
failures = []

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
        announced.append(event.any_data)


def press_initiative():
    find(app, "push button", "Initiative").queryAction().doAction(0)
    return False


def stop_when_announced():
    # The press logs two lines; stop once both have been heard, or give up.
    heard = "".join(announced).replace("\u2029", "\n")
    if heard.count("\n") >= 2 or time.monotonic() > give_up:
        pyatspi.Registry.stop()
        return False
    return True


pyatspi.Registry.registerEventListener(on_insert, "object:text-changed:insert")
give_up = time.monotonic() + 20
GLib.timeout_add(200, press_initiative)
GLib.timeout_add(50, stop_when_announced)
pyatspi.Registry.start()

logged = text_of(log)
spoken = "".join(announced).replace("\u2029", "\n")
if not announced:
    failures.append("no line of the log was announced")
elif spoken != logged:
    failures.append(f"announced {spoken!r} but the log holds {logged!r}")

# A screen reader picks a power through the selector's list, which enables the attack.
attack = find(app, "push button", "Attack Roll")
selector = find(app, "combo box", "ダメージ 威力")
power_list = next(child for child in selector if child.getRoleName() == "list")
if is_enabled(attack):
    failures.append("Attack Roll is enabled before a power is picked")
power_list[0].queryAction().doAction(0)
wait_for(lambda: is_enabled(attack), "Attack Roll enabled by a power picked from the list")

for failure in failures:
    print(failure)
if failures:
    sys.exit(1)
print(f"{named} controls named, {len(inputs)} inputs all named differently; "
      f"{len(announced)} log lines announced; a power picked from the list")
