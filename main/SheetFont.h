#pragma once

#include <QFont>

// The sheet's font at 12 pixels: the face it was drawn with where installed, else a
// proportional Japanese Gothic that stands in for it.
QFont sheetFont();
