#pragma once

#include <QPoint>
#include <QRect>

// Where a window whose outer frame would stand at `designed` goes on a screen whose free
// area is `available`: where it was designed to stand when it fits there; otherwise moved up
// and left as little as brings it on screen, but never so far that its top-left corner, where
// its title and first controls are, leaves the screen.
QPoint placeOnScreen(QRect designed, QRect available);
