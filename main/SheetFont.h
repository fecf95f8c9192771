#pragma once

#include <QFont>

// The sheet's font at 12 pixels: "ＭＳ Ｐゴシック" where installed, else a proportional
// Japanese Gothic that stands in for it.
QFont sheetFont();
