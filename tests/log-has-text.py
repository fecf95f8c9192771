#!/usr/bin/python3
"""Exits 0 when the sheet's log pane shows dark (text) pixels, 1 when it is blank.

Usage: log-has-text.py WINDOW_ID. The pane's inner area is read straight from the X server.
"""
import sys

from Xlib import X, display

LOG_PANE = (44, 172, 297, 113)  # inside the frame of the log at (40, 168), 305 x 121

screen = display.Display()
window = screen.create_resource_object("window", int(sys.argv[1]))
left, top, width, height = LOG_PANE
pixels = window.get_image(left, top, width, height, X.ZPixmap, 0xFFFFFFFF).data
dark = sum(1 for i in range(0, len(pixels), 4) if max(pixels[i:i + 3]) < 100)
sys.exit(0 if dark > 50 else 1)
