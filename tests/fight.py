#!/usr/bin/python3
"""Plays a short fight on the running sheet with real mouse and key events, each control
found by its accessible name; checks that every action logged and that Reset emptied the
log; then closes the window as a window manager's close button does (WM_DELETE_WINDOW)."""
import subprocess

from Xlib import X, display, protocol

from sheet_atspi import click, find, find_sheet, is_enabled, press_key, text_of, wait_for

app = find_sheet()
log = find(app, "text", "ログ")
attack = find(app, "push button", "Attack Roll")

click(find(app, "text", "ダメージ 威力"))  # the power selector's own text box
press_key("Down")  # the first power
wait_for(lambda: is_enabled(attack), "a chosen power to enable Attack Roll")


def press(name):
    before = text_of(log)
    click(find(app, "push button", name))
    wait_for(lambda: text_of(log) != before, f"{name} to change the log")


press("Initiative")
for _ in range(4):
    press("Attack Roll")
    press("Defence Roll")
press("Reset")  # "ログ消去" is checked, so the log empties
if text_of(log):
    raise SystemExit("Reset left text in the log")

window_id = subprocess.run(["xdotool", "search", "--name", "^Form1$"], check=True,
                           capture_output=True, text=True).stdout.split()[0]
screen = display.Display()
window = screen.create_resource_object("window", int(window_id))
window.send_event(protocol.event.ClientMessage(
    window=window, client_type=screen.intern_atom("WM_PROTOCOLS"),
    data=(32, [screen.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0])))
screen.flush()
