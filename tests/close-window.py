#!/usr/bin/python3
"""Asks an X window to close, as a window manager's close button does (WM_DELETE_WINDOW)."""
import sys

from Xlib import X, display, protocol

screen = display.Display()
window = screen.create_resource_object("window", int(sys.argv[1]))
protocols = screen.intern_atom("WM_PROTOCOLS")
delete = screen.intern_atom("WM_DELETE_WINDOW")
window.send_event(
    protocol.event.ClientMessage(window=window, client_type=protocols,
                                 data=(32, [delete, X.CurrentTime, 0, 0, 0])))
screen.flush()
